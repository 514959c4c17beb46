// Which input ends the full-screen notice. Kept free of any toolkit so the rules can be tested
// without a display; the window feeds it events in the order the platform delivers them (the
// key press before the character it produces).
#pragma once

#include <string>
#include <string_view>

namespace rumo {

enum class InputVerdict { Ignore, Close };

struct InputRestrictions {
    bool escOnly = false;       // only Esc ends the notice
    bool passwordLock = false;  // only the password followed by Enter ends it; wins over escOnly
    std::string password;       // compared byte for byte
};

class SaverInput {
public:
    static constexpr int kEnterKey = 13;
    static constexpr int kEscKey = 27;

    explicit SaverInput(InputRestrictions restrictions);

    InputVerdict mouseMoved(int x, int y);
    InputVerdict buttonPressed();
    InputVerdict systemKeyPressed();                      // a key pressed together with Alt
    InputVerdict keyPressed(int virtualKey);              // Enter is 13, Esc 27
    void characterTyped(std::string_view utf8Character);  // "\r" clears what was typed
    InputVerdict activationLost() const { return InputVerdict::Close; }

    const std::string& typed() const { return typed_; }

private:
    bool unrestricted() const { return !restrictions_.escOnly && !restrictions_.passwordLock; }

    InputRestrictions restrictions_;
    bool mouseSeen_ = false;
    int lastX_ = -1;
    int lastY_ = -1;
    std::string typed_;
};

}  // namespace rumo
