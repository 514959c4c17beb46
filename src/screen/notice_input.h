// Which input ends the full-screen notice. Kept free of any toolkit so the rules can be tested
// without a display; the window feeds it events in the order the platform delivers them (the
// key press before the character it produces).
#pragma once

#include <string>
#include <string_view>

namespace rumo {

// Reclaim: the notice stays and takes the keyboard and the front back.
enum class InputVerdict { Ignore, Close, Reclaim };

struct InputRestrictions {
    bool escOnly = false;       // only Esc ends the notice
    bool passwordLock = false;  // only the password followed by Enter ends it; wins over escOnly
    std::string password;       // compared byte for byte
};

class NoticeInput {
public:
    static constexpr int kEnterKey = 13;
    static constexpr int kEscKey = 27;

    explicit NoticeInput(InputRestrictions restrictions);

    InputVerdict mouseMoved(int x, int y);
    InputVerdict buttonPressed();
    InputVerdict systemKeyPressed();                      // a key pressed together with Alt
    InputVerdict keyPressed(int virtualKey);              // Enter is 13, Esc 27
    void characterTyped(std::string_view utf8Character);  // "\r" clears what was typed
    // Another window became active, or the notice lost its hold on the keyboard (a grab taken
    // by another program, a compositor moving the focus). A notice without the password ends, as
    // when its user switches away; a password notice takes the keyboard back and stays, or every
    // window-manager shortcut and every program raising a window would be a way round it.
    InputVerdict activationLost() const { return holdsAgainstFocusLoss(); }
    InputVerdict grabLost() const { return holdsAgainstFocusLoss(); }

    const std::string& typed() const { return typed_; }

private:
    bool unrestricted() const { return !restrictions_.escOnly && !restrictions_.passwordLock; }
    InputVerdict holdsAgainstFocusLoss() const {
        return restrictions_.passwordLock ? InputVerdict::Reclaim : InputVerdict::Close;
    }

    InputRestrictions restrictions_;
    bool mouseSeen_ = false;
    int lastX_ = -1;
    int lastY_ = -1;
    std::string typed_;
};

}  // namespace rumo
