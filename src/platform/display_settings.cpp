#include "platform/display_settings.h"

#include <QStandardPaths>
#include <QString>
#include <algorithm>

#include "common/qt_values.h"
#include "common/text.h"

namespace rumo {

namespace {

struct DesktopTool {
    std::string_view desktop;  // as XDG_CURRENT_DESKTOP names it
    std::string_view tool;
};

// Desktops that share a tool: Unity and Budgie use GNOME's, Plasma's sessions say KDE.
constexpr DesktopTool kDesktopTools[]{
    {"GNOME", "gnome-control-center"},  {"Unity", "gnome-control-center"},
    {"Budgie", "gnome-control-center"}, {"KDE", "systemsettings"},
    {"XFCE", "xfce4-display-settings"}, {"LXQt", "lxqt-config-monitor"},
};

}  // namespace

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

std::vector<ToolCandidate> displaySettingsToolsFor(std::string_view currentDesktop) {
    std::vector<ToolCandidate> ordered;
    auto take = [&](std::string_view tool) {
        const auto& all = displaySettingsTools();
        const auto found = std::find_if(all.begin(), all.end(),
                                        [&](const ToolCandidate& c) { return c.name == tool; });
        const bool taken = std::any_of(ordered.begin(), ordered.end(),
                                       [&](const ToolCandidate& c) { return c.name == tool; });
        if (found != all.end() && !taken) {
            ordered.push_back(*found);
        }
    };
    while (!currentDesktop.empty()) {
        const std::size_t colon = currentDesktop.find(':');
        const std::string_view name = currentDesktop.substr(0, colon);
        for (const DesktopTool& entry : kDesktopTools) {
            if (equalsIgnoringAsciiCase(entry.desktop, name)) {
                take(entry.tool);
            }
        }
        currentDesktop =
            colon == std::string_view::npos ? std::string_view() : currentDesktop.substr(colon + 1);
    }
    for (const ToolCandidate& tool : displaySettingsTools()) {
        take(tool.name);
    }
    return ordered;
}

std::optional<LaunchCommand> displaySettingsCommand() {
    const std::string desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString();
    return firstAvailableTool(displaySettingsToolsFor(desktop), [](std::string_view name) {
        return QStandardPaths::findExecutable(qtText(name)).toStdString();
    });
}

}  // namespace rumo
