#include "calendar/kept_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace rumo {
namespace {

// A copy larger than this is not a calendar the program wrote.
constexpr qint64 kLargestCopy = 64 * 1024 * 1024;

QString folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/rumo/calendar");
}

// One file per source and user: a changed user name never reads another account's copy.
QString pathOf(const CalendarSourceRef& source) {
    const QByteArray key = source.location.toUtf8() + '\n' + source.user.toUtf8();
    return folder() + QLatin1Char('/') +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32)) +
           QStringLiteral(".ics");
}

}  // namespace

bool CalendarSourceRef::isUrl() const {
    const QString scheme = QUrl(location).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QString CalendarSourceRef::secretName() const {
    return QStringLiteral("calendar ") + location;
}

std::optional<KeptCopy> readKeptCopy(const CalendarSourceRef& source) {
    QFile file(pathOf(source));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // The first line describes the copy; the calendar's text follows it.
    const QJsonObject about = QJsonDocument::fromJson(file.readLine(64 * 1024)).object();
    if (about.value(QLatin1String("source")).toString() != source.location) {
        return std::nullopt;
    }
    const QByteArray text = file.read(kLargestCopy);
    KeptCopy copy;
    copy.kind = about.value(QLatin1String("kind")).toString() == QLatin1String("caldav")
                    ? KeptCopy::Kind::CalDav
                    : KeptCopy::Kind::Feed;
    copy.etag = about.value(QLatin1String("etag")).toString().toUtf8();
    copy.lastModified = about.value(QLatin1String("lastModified")).toString().toUtf8();
    copy.collectionTag = about.value(QLatin1String("ctag")).toString().toUtf8();
    copy.from = static_cast<std::int64_t>(about.value(QLatin1String("from")).toDouble());
    copy.to = static_cast<std::int64_t>(about.value(QLatin1String("to")).toDouble());
    copy.fetchedAt = static_cast<std::int64_t>(about.value(QLatin1String("fetchedAt")).toDouble());
    copy.text = text.toStdString();
    return copy;
}

bool keepCopy(const CalendarSourceRef& source, const KeptCopy& copy, QString& error) {
    const QString path = pathOf(source);
    if (!QDir().mkpath(folder()) ||
        !QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        error = QStringLiteral("cannot make the folder %1").arg(folder());
        return false;
    }
    QJsonObject about{
        {QStringLiteral("source"), source.location},
        {QStringLiteral("kind"),
         copy.kind == KeptCopy::Kind::CalDav ? QStringLiteral("caldav") : QStringLiteral("feed")},
        {QStringLiteral("etag"), QString::fromUtf8(copy.etag)},
        {QStringLiteral("lastModified"), QString::fromUtf8(copy.lastModified)},
        {QStringLiteral("ctag"), QString::fromUtf8(copy.collectionTag)},
        {QStringLiteral("from"), static_cast<double>(copy.from)},
        {QStringLiteral("to"), static_cast<double>(copy.to)},
        {QStringLiteral("fetchedAt"), static_cast<double>(copy.fetchedAt)},
    };
    QSaveFile file(path);
    // The permissions go on the new file before a byte of the calendar is in it.
    const bool written =
        file.open(QIODevice::WriteOnly) &&
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) &&
        file.write(QJsonDocument(about).toJson(QJsonDocument::Compact) + '\n') > 0 &&
        file.write(copy.text.data(), static_cast<qint64>(copy.text.size())) ==
            static_cast<qint64>(copy.text.size()) &&
        file.commit();
    if (!written) {
        error = QStringLiteral("cannot keep a copy in %1: %2").arg(path, file.errorString());
    }
    return written;
}

void forgetKeptCopy(const CalendarSourceRef& source) {
    QFile::remove(pathOf(source));
}

}  // namespace rumo
