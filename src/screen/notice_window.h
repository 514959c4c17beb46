// One window of the full-screen notice: covers its screen, stays in front, hides the pointer,
// and puts its input to the notice's one set of input rules (shared by all its windows). What
// the rules decide, and the window losing activation, it reports; the notice that owns it acts.
// Only the notice closes it.
#pragma once

#include "screen/notice_input.h"
#include "screen/notice_view.h"

namespace rumo {

class NoticeWindow : public NoticeView {
    Q_OBJECT
public:
    // `input` outlives the window.
    NoticeWindow(NoticeScene scene, NoticeInput& input);

    // Gives the window the screen's geometry and shows it in front of everything.
    void showOver(QScreen* screen);
    // Lets the window close (the notice ends) or go (its screen went away).
    void allowClose() { closing_ = true; }

signals:
    // The rules' verdict on one input event, reported as the event is handled.
    void inputJudged(InputVerdict verdict);
    // The window lost activation while it is not closing.
    void activationLeft();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    NoticeInput& input_;
    bool closing_ = false;
};

}  // namespace rumo
