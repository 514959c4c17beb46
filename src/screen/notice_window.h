// One window of the full-screen notice: covers its screen, stays in front, hides the pointer,
// and hands its input to the notice's one set of input rules. Only the notice closes it.
#pragma once

#include "screen/notice_view.h"

namespace rumo {

class NoticeSession;

class NoticeWindow : public NoticeView {
    Q_OBJECT
public:
    NoticeWindow(NoticeScene scene, NoticeSession& session);

    // Gives the window the screen's geometry and shows it in front of everything.
    void showOver(QScreen* screen);
    // Lets the window close (the notice ends) or go (its screen went away).
    void allowClose() { closing_ = true; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    NoticeSession& session_;
    bool closing_ = false;
};

}  // namespace rumo
