#include "screen/notice_session.h"

#include <QApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "platform/native_window.h"
#include "platform/notice_hold.h"
#include "screen/notice_window.h"
#include "screen/scene_loader.h"
#include "screen/starting_scene.h"

namespace rumo {

namespace {

InputRestrictions restrictionsOf(const NoticeScene& scene) {
    return {scene.escOnly, scene.passwordLock, scene.password};
}

constexpr int kGrabRetryMs = 200;
constexpr int kRaiseIntervalMs = 200;
constexpr int kActivationAnswerMs = 1000;
constexpr int kActivationRecheckMs = 50;
// How long a locker that asked for the screen is given to take the keyboard before the notice
// tries to hold it again (XScreenSaver tries once a second, four times).
constexpr int kLockerGraceMs = 6000;
// The focus taken from every window this recently, as the notice lost activation, is a locker's.
constexpr int kLockerSignMs = 2000;
// The keyboard back with the notice this long after the session locked means it was unlocked.
constexpr int kUnlockSettleMs = 1000;

}  // namespace

NoticeSession::NoticeSession(SettingsStore& store, QObject* parent)
    : QObject(parent),
      scene_(loadStartingScene(store, QDateTime::currentSecsSinceEpoch())),
      input_(restrictionsOf(scene_)) {
    grabRetry_.setInterval(kGrabRetryMs);
    connect(&grabRetry_, &QTimer::timeout, this, &NoticeSession::holdInput);
    frontKeeper_.setInterval(kRaiseIntervalMs);
    connect(&frontKeeper_, &QTimer::timeout, this, [this] {
        if (yielding_ || closeRequested_) {
            return;
        }
        for (const auto& [screen, window] : windows_) {
            window->raise();
        }
        flushWindowRequests();
    });
    lockerGrace_.setSingleShot(true);
    lockerGrace_.setInterval(kLockerGraceMs);
    connect(&lockerGrace_, &QTimer::timeout, this, &NoticeSession::holdInput);
    // Asked to lock, every notice lets the locker have the keyboard, whatever its rule.
    connect(&lockWatch_, &SessionLockWatch::lockRequested, this, [this] {
        if (!closeRequested_ && !yielding_ && inputHeld_) {
            yieldToLocker();
        }
    });
}

NoticeSession::~NoticeSession() {
    for (const auto& [screen, window] : windows_) {
        window->allowClose();
        delete window;
    }
}

void NoticeSession::show() {
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &NoticeSession::addScreen);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &NoticeSession::removeScreen);
    QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            addScreen(screen);
        }
    }
    // The primary screen's window comes last, so it is the one in front and active.
    addScreen(primary);
    activatePrimary();
    holdInput();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        frontKeeper_.start();
    }
}

void NoticeSession::addScreen(QScreen* screen) {
    if (closeRequested_) {
        return;
    }
    auto* window = new NoticeWindow(scene_, input_);
    connect(window, &NoticeWindow::inputJudged, this, &NoticeSession::apply);
    connect(window, &NoticeWindow::activationLeft, this, &NoticeSession::activationLeft);
    window->setPictureRules(rules_);
    window->setKeptInFront(!yielding_);
    // A window added later counts the away time from the notice's start.
    for (const auto& [other, shown] : windows_) {
        if (shown->scene().startTime) {
            window->setStartTime(*shown->scene().startTime);
            break;
        }
    }
    windows_.emplace_back(screen, window);
    if (screen != nullptr) {
        connect(screen, &QScreen::geometryChanged, window,
                [window](const QRect& geometry) { window->setGeometry(geometry); });
    }
    window->showOver(screen);
}

void NoticeSession::removeScreen(QScreen* screen) {
    bool hadKeyboard = false;
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if (it->first == screen) {
            NoticeWindow* window = it->second;
            hadKeyboard = window->isActiveWindow();
            windows_.erase(it);
            window->allowClose();  // its going is no loss of activation
            window->hide();
            window->deleteLater();
            break;
        }
    }
    // The keyboard must stay with the notice, or a password could no longer be typed.
    if (hadKeyboard || !ownsActiveWindow()) {
        activatePrimary();
    }
    holdInput();  // a grab goes with the window that held it
}

bool NoticeSession::ownsActiveWindow() const {
    const QWidget* active = QApplication::activeWindow();
    for (const auto& [screen, window] : windows_) {
        if (window == active) {
            return true;
        }
    }
    return false;
}

NoticeWindow* NoticeSession::primaryWindow() const {
    QScreen* primary = QGuiApplication::primaryScreen();
    NoticeWindow* chosen = windows_.empty() ? nullptr : windows_.back().second;
    for (const auto& [screen, window] : windows_) {
        if (screen == primary) {
            chosen = window;
        }
    }
    return chosen;
}

void NoticeSession::activatePrimary() {
    if (NoticeWindow* window = primaryWindow()) {
        window->raise();
        window->activateWindow();
        activationAsked_.start();
    }
}

// Keys and buttons all go to the primary window, whichever screen they come from; the rules are
// the same for every window. Only X11 lets a client hold them.
void NoticeSession::holdInput() {
    if (yielding_ && lockerGrace_.isActive()) {
        return;  // the locker's turn
    }
    NoticeWindow* window = primaryWindow();
    if (closeRequested_ || window == nullptr ||
        QGuiApplication::platformName() != QLatin1String("xcb")) {
        grabRetry_.stop();
        return;
    }
    QWindow* handle = window->windowHandle();
    const bool keyboard = handle != nullptr && handle->setKeyboardGrabEnabled(true);
    const bool pointer = handle != nullptr && handle->setMouseGrabEnabled(true);
    inputHeld_ = keyboard && pointer;
    if (inputHeld_) {
        grabRetry_.stop();
        if (yielding_) {
            lockerLeft();
        }
    } else if (!grabRetry_.isActive()) {
        grabRetry_.start();
    }
}

// A screen locker (XScreenSaver asked to lock, say) can lock only with the keyboard and the
// pointer, and takes the focus from every window when it cannot have them. The notice lets it
// lock, stays underneath, and is there again once the session is unlocked.
void NoticeSession::yieldToLocker() {
    yielding_ = true;
    grabRetry_.stop();
    if (NoticeWindow* window = primaryWindow(); window != nullptr && window->windowHandle()) {
        window->windowHandle()->setKeyboardGrabEnabled(false);
        window->windowHandle()->setMouseGrabEnabled(false);
    }
    inputHeld_ = false;
    for (const auto& [screen, window] : windows_) {
        window->setKeptInFront(false);
    }
    emit lockerHoldsScreen(true);
    lockerGrace_.start();
}

void NoticeSession::lockerLeft() {
    yielding_ = false;
    for (const auto& [screen, window] : windows_) {
        window->setKeptInFront(true);
    }
    activatePrimary();
    emit lockerHoldsScreen(false);
}

void NoticeSession::reclaim() {
    if (!canHoldKeyboard()) {
        // A Wayland compositor gives the keyboard where it likes: the desktop's own lock keeps
        // the session instead, with the notice showing underneath.
        if (!sessionLockAsked_) {
            sessionLockAsked_ = true;
            lockSession([this](bool locked) {
                if (locked) {
                    sessionLocked_.start();
                }
            });
        }
        return;
    }
    activatePrimary();
    holdInput();
}

void NoticeSession::activationLeft() {
    // Decided once the window system has settled where activation went.
    if (!activationCheckPending_) {
        activationCheckPending_ = true;
        QTimer::singleShot(0, this, &NoticeSession::checkActivation);
    }
}

void NoticeSession::checkActivation() {
    activationCheckPending_ = false;
    if (ownsActiveWindow()) {
        if (sessionLocked_.isValid() && sessionLocked_.hasExpired(kUnlockSettleMs)) {
            apply(InputVerdict::Close);  // the desktop was unlocked: its user is back
        }
        sessionLockAsked_ = false;
        return;
    }
    if (yielding_) {
        return;
    }
    // The notice asked for the keyboard for one of its windows a moment ago (a screen went, the
    // notice took the keyboard back): the window system has not answered yet.
    if (activationAsked_.isValid() && !activationAsked_.hasExpired(kActivationAnswerMs)) {
        activationCheckPending_ = true;
        QTimer::singleShot(kActivationRecheckMs, this, &NoticeSession::checkActivation);
        return;
    }
    const InputVerdict verdict = input_.activationLost();
    if (verdict == InputVerdict::Reclaim && focusWatch_.focusWentNowhereWithin(kLockerSignMs)) {
        yieldToLocker();
        return;
    }
    apply(verdict);
}

void NoticeSession::apply(InputVerdict verdict) {
    if (verdict == InputVerdict::Reclaim && !closeRequested_) {
        reclaim();
        return;
    }
    if (verdict == InputVerdict::Close && !closeRequested_) {
        closeRequested_ = true;
        // Closed after the current event has been handled, as a posted request would be.
        QMetaObject::invokeMethod(this, &NoticeSession::closeNotice, Qt::QueuedConnection);
    }
}

void NoticeSession::closeNotice() {
    grabRetry_.stop();
    lockerGrace_.stop();
    for (const auto& [screen, window] : windows_) {
        window->allowClose();
        window->close();
    }
    QCoreApplication::exit(0);
}

}  // namespace rumo
