// The settings store of the running program: the user's settings file,
// ~/.config/Zelkar/<application name>.conf, where the application name is the executable's base
// name. The file keeps the format QSettings reads, but is read and edited by our own code, so that
// a write changes only its own lines.
#pragma once

#include <QString>

#include "settings/settings_store.h"

namespace rumo {

class FileSettingsStore : public SettingsStore {
public:
    explicit FileSettingsStore(const QString& applicationName);

    SettingsSnapshot snapshot() override;
    WriteStatus write(const std::vector<SettingWrite>& writes) override;

    QString filePath() const { return path_; }

private:
    QString path_;
};

// How stored bytes are shown: UTF-8 as it is; bytes that are not UTF-8 (a file carried over from
// a Japanese Windows machine holds Shift-JIS) as code page 932 when they decode as such without
// error, else with replacement characters.
std::string shownSettingText(std::string_view stored);

}  // namespace rumo
