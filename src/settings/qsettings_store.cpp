#include "settings/qsettings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include "settings/int_text.h"

namespace rumo {

namespace {

constexpr auto kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString qualifiedKey(const SettingKey& key) {
    return QString::fromStdString(key.section) + u'/' + QString::fromStdString(key.key);
}

// A value written by hand may hold an unquoted comma, which QSettings reads as a list.
QString asText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

}  // namespace

QSettingsStore::QSettingsStore(QString applicationName)
    : applicationName_(std::move(applicationName)) {}

QString QSettingsStore::filePath() const {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zelkar"),
                     applicationName_)
        .fileName();
}

// Every operation opens the file anew and syncs, so a value another process wrote a moment
// before is seen; QSettings re-reads a file whose size or time stamp changed.
int QSettingsStore::readInt(const SettingKey& key, int fallback) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zelkar"),
                       applicationName_);
    settings.sync();
    const QVariant value = settings.value(qualifiedKey(key));
    if (!value.isValid()) {
        return fallback;
    }
    return parseStoredInt(asText(value).toStdString()).value_or(fallback);
}

std::string QSettingsStore::readText(const SettingKey& key, std::string_view fallback) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zelkar"),
                       applicationName_);
    settings.sync();
    const QVariant value = settings.value(qualifiedKey(key));
    if (!value.isValid()) {
        return std::string(fallback);
    }
    return asText(value).toStdString();
}

bool QSettingsStore::writeInt(const SettingKey& key, int value) {
    return write(key, QString::number(value));
}

bool QSettingsStore::writeText(const SettingKey& key, std::string_view value) {
    return write(key, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

// The file holds the password in plain text, so it is created, and kept, private to its owner.
// QSettings merges our one change into what is on disk under its own lock file and replaces the
// file atomically, so concurrent writers of different keys lose nothing and a writer killed
// mid-write leaves the previous file in place.
bool QSettingsStore::write(const SettingKey& key, const QString& text) {
    const QString path = filePath();
    const QFileInfo info(path);
    if (info.exists() && !info.isReadable()) {
        return false;  // writing now would replace values we cannot see
    }
    if (!QDir().mkpath(info.absolutePath())) {
        return false;
    }
    if (!info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly) &&
            !QFileInfo::exists(path)) {
            return false;
        }
    }

    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zelkar"),
                       applicationName_);
    settings.setValue(qualifiedKey(key), text);
    settings.sync();
    QFile::setPermissions(path, kOwnerOnly);
    return settings.status() != QSettings::AccessError;
}

}  // namespace rumo
