#include "screen/notice_input.h"

#include <utility>

namespace rumo {

NoticeInput::NoticeInput(InputRestrictions restrictions) : restrictions_(std::move(restrictions)) {}

// The window receives one move when it appears under the pointer; only a later move to another
// place means somebody touched the mouse.
InputVerdict NoticeInput::mouseMoved(int x, int y) {
    if (!unrestricted()) {
        return InputVerdict::Ignore;
    }
    if (!mouseSeen_) {
        mouseSeen_ = true;
        lastX_ = x;
        lastY_ = y;
        return InputVerdict::Ignore;
    }
    return (x != lastX_ || y != lastY_) ? InputVerdict::Close : InputVerdict::Ignore;
}

InputVerdict NoticeInput::buttonPressed() {
    return unrestricted() ? InputVerdict::Close : InputVerdict::Ignore;
}

InputVerdict NoticeInput::systemKeyPressed() {
    return unrestricted() ? InputVerdict::Close : InputVerdict::Ignore;
}

InputVerdict NoticeInput::keyPressed(int virtualKey) {
    if (unrestricted()) {
        return InputVerdict::Close;
    }
    if (restrictions_.passwordLock) {
        return (virtualKey == kEnterKey && typed_ == restrictions_.password) ? InputVerdict::Close
                                                                             : InputVerdict::Ignore;
    }
    return virtualKey == kEscKey ? InputVerdict::Close : InputVerdict::Ignore;
}

// Nothing is special but Enter: backspace, Esc and tab are kept like any other character, so a
// typo can only be undone by pressing Enter and starting over.
void NoticeInput::characterTyped(std::string_view utf8Character) {
    if (utf8Character == "\r") {
        typed_.clear();
        return;
    }
    typed_.append(utf8Character);
}

}  // namespace rumo
