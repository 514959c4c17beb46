#include "settings/settings_file.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

#include "common/qt_values.h"
#include "common/translate.h"
#include "platform/private_file.h"

namespace rumo {

SettingsFileText decodeSettingsFile(std::string bytes) {
    using Encoding = SettingsFileText::Encoding;
    const auto byte = [&](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100U;
    };
    const bool littleMark = byte(0) == 0xFF && byte(1) == 0xFE;
    const bool bigMark = byte(0) == 0xFE && byte(1) == 0xFF;
    // Without a mark, an ASCII character paired with a zero byte is UTF-16 (Notepad's "Unicode"
    // saved by a tool that drops the mark); a UTF-8 file never holds a zero byte.
    const bool little = littleMark || (byte(0) > 0 && byte(0) < 0x80 && byte(1) == 0);
    const bool big = bigMark || (byte(0) == 0 && byte(1) > 0 && byte(1) < 0x80);
    if (!little && !big) {
        return {std::move(bytes), Encoding::Utf8};
    }
    const bool mark = littleMark || bigMark;
    const Encoding encoding = little ? Encoding::Utf16LE : Encoding::Utf16BE;
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::Stateless);
    const QString text =
        decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())).sliced(mark ? 2 : 0));
    SettingsFileText file{text.toStdString(), encoding, mark};
    // An unpaired surrogate or an odd last byte has no UTF-8 form: a write would change it.
    file.exact = !decoder.hasError() && encodeSettingsFile(file.utf8, encoding, mark) == bytes;
    return file;
}

std::string encodeSettingsFile(std::string utf8, SettingsFileText::Encoding encoding,
                               bool byteOrderMark) {
    using Encoding = SettingsFileText::Encoding;
    if (encoding == Encoding::Utf8) {
        return utf8;
    }
    const bool little = encoding == Encoding::Utf16LE;
    QStringEncoder encoder(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                           QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder(qtText(utf8));
    const std::string mark = byteOrderMark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
    return mark + bytes.toStdString();
}

std::optional<std::string> readSettingsFile(const std::string& path) {
    return readPrivateFile(path);
}

std::string editSettingsFile(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string&)>& edit) {
    return editPrivateFile(
        path, translate("Messages", "The settings file is in use by another program"), edit);
}

}  // namespace rumo
