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
    // Programs get the session bus at `sessionBus` where it is given, this process's otherwise.
    explicit ProcessLauncher(std::string sessionBus = {}) : sessionBus_(std::move(sessionBus)) {}

    void startDetached(const LaunchCommand& command) override;
    void startScreenSaver(const std::string& directory, const std::string& file) override;

private:
    std::string sessionBus_;
};

}  // namespace rumo
