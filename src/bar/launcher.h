// Starts the programs of the bar's commands without waiting for them. An interface, so tests can
// record what would be started.
#pragma once

#include <string>

#include "common/launch_commands.h"

namespace rumo {

class Launcher {
public:
    virtual ~Launcher() = default;

    // A separate process that outlives the bar.
    virtual void startDetached(const LaunchCommand& command) = 0;

    // The screen-saver program `file` of `directory`, covering the screen.
    virtual void startScreenSaver(const std::string& directory, const std::string& file) = 0;
};

// The real one: QProcess for plain programs, a full-screen host window for screen savers.
class ProcessLauncher : public Launcher {
public:
    void startDetached(const LaunchCommand& command) override;
    void startScreenSaver(const std::string& directory, const std::string& file) override;
};

}  // namespace rumo
