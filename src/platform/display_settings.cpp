#include "platform/display_settings.h"

#include <QStandardPaths>
#include <QString>

#include "common/qt_values.h"

namespace rumo {

const std::vector<ToolCandidate>& displaySettingsTools() {
    static const std::vector<ToolCandidate> kTools{
        {"gnome-control-center", {"display"}},
        {"systemsettings", {"kcm_kscreen"}},
        {"xfce4-display-settings", {}},
        {"lxqt-config-monitor", {}},
        {"arandr", {}},
    };
    return kTools;
}

std::optional<LaunchCommand> displaySettingsCommand() {
    return firstAvailableTool(displaySettingsTools(), [](std::string_view name) {
        return QStandardPaths::findExecutable(qtText(name)).toStdString();
    });
}

}  // namespace rumo
