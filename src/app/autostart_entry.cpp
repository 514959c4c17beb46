#include "app/autostart_entry.h"

namespace rumo {

namespace {

bool isAbsolute(std::string_view folder) {
    return !folder.empty() && folder.front() == '/';
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80                   ? 1
                                   : lead >= 0xC2 && lead < 0xE0 ? 2
                                   : lead >= 0xE0 && lead < 0xF0 ? 3
                                   : lead >= 0xF0 && lead < 0xF5 ? 4
                                                                 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

std::string autostartEntryPath(std::string_view xdgConfigHome, std::string_view home,
                               std::string_view applicationName) {
    std::string config;
    if (isAbsolute(xdgConfigHome)) {
        config = xdgConfigHome;
    } else if (isAbsolute(home)) {
        config = std::string(home) + "/.config";
    } else {
        return {};
    }
    while (config.size() > 1 && config.back() == '/') {
        config.pop_back();
    }
    return config + "/autostart/" + std::string(applicationName) + ".desktop";
}

std::string desktopExecArgument(std::string_view path) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    bool quote = false;
    std::string argument;
    for (char c : path) {
        quote = quote || kReserved.find(c) != std::string_view::npos;
        if (c == '%') {
            argument += '%';  // a field code otherwise
        }
        argument += c;
    }
    if (quote) {
        std::string quoted = "\"";
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') {
                quoted += '\\';
            }
            quoted += c;
        }
        argument = quoted + '"';
    }
    // The key's value is itself an escaped string.
    std::string value;
    for (char c : argument) {
        if (c == '\\') {
            value += "\\\\";
        } else if (c == '\n') {
            value += "\\n";
        } else if (c == '\t') {
            value += "\\t";
        } else {
            value += c;
        }
    }
    return value;
}

std::string autostartEntry(std::string_view executablePath) {
    if (!isAbsolute(executablePath) || !isUtf8(executablePath)) {
        return {};
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=RUMO?\n"
           "Comment=Keeps the destination bar ready from log-in\n"
           "Comment[ja]=ログイン時に行き先バーを常駐させます\n"
           "Exec=" +
           desktopExecArgument(executablePath) +
           "\n"
           "Icon=rumo\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace rumo
