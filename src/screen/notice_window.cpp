#include "screen/notice_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "platform/notice_hold.h"

namespace rumo {

namespace {

int virtualKeyOf(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return NoticeInput::kEnterKey;
        case Qt::Key_Escape:
            return NoticeInput::kEscKey;
        default:
            return 0;
    }
}

}  // namespace

NoticeWindow::NoticeWindow(NoticeScene scene, NoticeInput& input)
    : NoticeView(std::move(scene)), input_(input) {
    // A tool window stays out of the task bar and the task switcher. On X11 the window manager
    // is bypassed, as screen lockers do: only such a window can stay above notification pop-ups
    // and on every workspace, and no shortcut of the window manager can move or close it.
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        flags |= Qt::X11BypassWindowManagerHint;
    }
    setWindowFlags(flags);
    // Typed characters must reach the password rule directly, not an input method's composer.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void NoticeWindow::showOver(QScreen* screen) {
    if (screen != nullptr) {
        winId();
        windowHandle()->setScreen(screen);
        // Without a window manager a full-screen request is ignored, so the geometry is explicit.
        setGeometry(screen->geometry());
    }
    showFullScreen();
    raise();
    // On Wayland the compositor's inhibitors stand in for the keyboard grab.
    holdWaylandSurface(windowHandle(), scene().passwordLock || scene().escOnly);
}

void NoticeWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->globalPosition().toPoint();
    emit inputJudged(input_.mouseMoved(at.x(), at.y()));
}

void NoticeWindow::mousePressEvent(QMouseEvent* /*event*/) {
    emit inputJudged(input_.buttonPressed());
}

void NoticeWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers().testFlag(Qt::AltModifier) || event->key() == Qt::Key_Alt) {
        emit inputJudged(input_.systemKeyPressed());
        return;
    }
    // The key decides first; the character it produces (Enter's "\r" clears) comes after.
    const InputVerdict verdict = input_.keyPressed(virtualKeyOf(event));
    const QByteArray text = event->text().toUtf8();
    if (!text.isEmpty()) {
        input_.characterTyped(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    }
    emit inputJudged(verdict);
}

void NoticeWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !closing_) {
        emit activationLeft();
    }
    NoticeView::changeEvent(event);
}

// Only the notice's own rules close it: the window manager's close request (Alt+F4) is refused.
void NoticeWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool NoticeWindow::event(QEvent* event) {
    // Tab and Backtab would otherwise move the focus instead of reaching the password rule.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return NoticeView::event(event);
}

}  // namespace rumo
