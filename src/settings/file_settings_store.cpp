#include "settings/file_settings_store.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringDecoder>
#include <memory>

#include "settings/ini_document.h"
#include "settings/settings_file.h"

namespace rumo {

namespace {

QString settingsFilePath(const QString& applicationName) {
    // Where QSettings keeps NativeFormat, UserScope settings of organisation "Zelkar".
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Zelkar/") + applicationName +
                                 QStringLiteral(".conf"));
}

bool decodesCleanly(QStringDecoder& decoder, std::string_view bytes, QString& text) {
    text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return decoder.isValid() && !decoder.hasError();
}

}  // namespace

std::string shownSettingText(std::string_view stored) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text;
    if (decodesCleanly(utf8, stored, text)) {
        return std::string(stored);
    }
    QStringDecoder windowsJapanese("windows-31j", QStringDecoder::Flag::Stateless);
    if (decodesCleanly(windowsJapanese, stored, text)) {
        return text.toStdString();
    }
    return QString::fromUtf8(stored.data(), qsizetype(stored.size())).toStdString();
}

FileSettingsStore::FileSettingsStore(const QString& applicationName)
    : path_(settingsFilePath(applicationName)) {}

SettingsSnapshot FileSettingsStore::snapshot() {
    std::optional<std::string> bytes = readSettingsFile(path_.toStdString());
    if (!bytes) {
        return {};
    }
    auto document = std::make_shared<const IniDocument>(decodeSettingsFile(std::move(*bytes)).utf8);
    return SettingsSnapshot([document](const SettingKey& key) -> std::optional<std::string> {
        std::optional<std::string> stored = document->find(key);
        if (stored) {
            *stored = shownSettingText(*stored);
        }
        return stored;
    });
}

WriteStatus FileSettingsStore::write(const std::vector<SettingWrite>& writes) {
    const auto showsAs = [](std::string_view stored, std::string_view text) {
        return shownSettingText(stored) == text;
    };
    std::string refused;
    std::string error = editSettingsFile(
        path_.toStdString(), [&](const std::string& current) -> std::optional<std::string> {
            SettingsFileText file = decodeSettingsFile(current);
            const IniDocument document(std::move(file.utf8));
            std::string edited = document.withValues(writes, showsAs);
            if (edited == document.bytes()) {
                return std::nullopt;
            }
            if (!file.exact) {
                refused =
                    path_.toStdString() +
                    ": holds UTF-16 text that cannot be kept as it is (an unpaired surrogate "
                    "or an odd last byte); save it again as UTF-8 or UTF-16 to change it here";
                return std::nullopt;
            }
            return encodeSettingsFile(std::move(edited), file.encoding, file.byteOrderMark);
        });
    return {error.empty() ? std::move(refused) : std::move(error)};
}

}  // namespace rumo
