// The settings store of the running program: the user's settings file through QSettings, under
// the organisation "Zelkar" and an application name that is the executable's base name.
#pragma once

#include <QString>

#include "settings/settings_store.h"

namespace rumo {

class QSettingsStore : public SettingsStore {
public:
    explicit QSettingsStore(QString applicationName);

    int readInt(const SettingKey& key, int fallback) override;
    std::string readText(const SettingKey& key, std::string_view fallback) override;
    bool writeInt(const SettingKey& key, int value) override;
    bool writeText(const SettingKey& key, std::string_view value) override;

    QString filePath() const;

private:
    bool write(const SettingKey& key, const QString& text);

    QString applicationName_;
};

}  // namespace rumo
