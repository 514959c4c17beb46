#include "calendar/calendar_sources.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace rumo {

namespace {

// A year of a busy calendar is a few megabytes; anything far larger is not a calendar.
constexpr qint64 kLargestCalendar = 32 * 1024 * 1024;

bool isWebSource(const QString& source) {
    const QString scheme = QUrl(source).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("webcal");
}

std::optional<std::string> readFile(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kLargestCalendar + 1);
    if (bytes.size() > kLargestCalendar) {
        error = QStringLiteral("%1 is too large for a calendar").arg(path);
        return std::nullopt;
    }
    return bytes.toStdString();
}

}  // namespace

QString sourceToKeep(const QString& given, QString& error) {
    if (isWebSource(given)) {
        QUrl url(given, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty()) {
            error = QStringLiteral("'%1' is not a usable URL").arg(given);
            return {};
        }
        if (!url.userInfo().isEmpty()) {
            error = QStringLiteral(
                "a URL with a user name or password would keep it in the "
                "settings file; give the URL without it");
            return {};
        }
        if (url.scheme().toLower() == QLatin1String("webcal")) {
            url.setScheme(QStringLiteral("https"));
        }
        return url.toString(QUrl::FullyEncoded);
    }
    if (given.contains(QLatin1String("://"))) {
        error = QStringLiteral("only local files and http(s) URLs can be read: '%1'").arg(given);
        return {};
    }
    const QFileInfo file(given);
    if (!file.isFile() || !file.isReadable()) {
        error = QStringLiteral("%1 is not a readable file").arg(given);
        return {};
    }
    return file.absoluteFilePath();
}

std::optional<std::string> readSource(const QString& path, QString& error) {
    return readFile(path, error);
}

}  // namespace rumo
