#include "screen/saver_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace rumo {

namespace {

InputRestrictions restrictionsOf(const AwayScene& scene) {
    return {scene.escOnly != 0, scene.passwordLock != 0, scene.password};
}

int virtualKeyOf(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return SaverInput::kEnterKey;
        case Qt::Key_Escape:
            return SaverInput::kEscKey;
        default:
            return 0;
    }
}

}  // namespace

SaverWindow::SaverWindow(SettingsStore& store)
    : AwayScreen(store), input_(restrictionsOf(scene())) {
    // A tool window stays out of the task bar and the task switcher.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // Typed characters must reach the password rule directly, not an input method's composer.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void SaverWindow::showOverScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    // Without a window manager a full-screen request is ignored, so the geometry is explicit.
    if (screen != nullptr) {
        setGeometry(screen->geometry());
    }
    showFullScreen();
    raise();
    activateWindow();
}

void SaverWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->globalPosition().toPoint();
    apply(input_.mouseMoved(at.x(), at.y()));
}

void SaverWindow::mousePressEvent(QMouseEvent* /*event*/) {
    apply(input_.buttonPressed());
}

void SaverWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers().testFlag(Qt::AltModifier) || event->key() == Qt::Key_Alt) {
        apply(input_.systemKeyPressed());
        return;
    }
    // The key decides first; the character it produces (Enter's "\r" clears) comes after.
    const InputVerdict verdict = input_.keyPressed(virtualKeyOf(event));
    const QByteArray text = event->text().toUtf8();
    if (!text.isEmpty()) {
        input_.characterTyped(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    }
    apply(verdict);
}

void SaverWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        apply(input_.activationLost());
    }
    AwayScreen::changeEvent(event);
}

// Only the notice's own rules close it: the window manager's close request (Alt+F4) is refused.
void SaverWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        // A tool window does not count as the application's last window, so the notice ends
        // the process itself.
        QCoreApplication::exit(0);
    } else {
        event->ignore();
    }
}

bool SaverWindow::event(QEvent* event) {
    // Tab and Backtab would otherwise move the focus instead of reaching the password rule.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return AwayScreen::event(event);
}

void SaverWindow::apply(InputVerdict verdict) {
    if (verdict == InputVerdict::Close && !closing_) {
        // Closed after the current event has been handled, as a posted request would be.
        QMetaObject::invokeMethod(this, &SaverWindow::closeNotice, Qt::QueuedConnection);
    }
}

void SaverWindow::closeNotice() {
    closing_ = true;
    close();
}

}  // namespace rumo
