#include "screen/saver_session.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "platform/notice_hold.h"
#include "screen/saver_window.h"
#include "screen/scene_loader.h"

namespace rumo {

namespace {

InputRestrictions restrictionsOf(const AwayScene& scene) {
    return {scene.escOnly, scene.passwordLock, scene.password};
}

}  // namespace

SaverSession::SaverSession(SettingsStore& store, QObject* parent)
    : QObject(parent), scene_(loadAwayScene(store)), input_(restrictionsOf(scene_)) {}

SaverSession::~SaverSession() {
    for (const auto& [screen, window] : windows_) {
        window->allowClose();
        delete window;
    }
}

void SaverSession::show() {
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &SaverSession::addScreen);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &SaverSession::removeScreen);
    QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            addScreen(screen);
        }
    }
    // The primary screen's window comes last, so it is the one in front and active.
    addScreen(primary);
    activatePrimary();
}

void SaverSession::addScreen(QScreen* screen) {
    if (closeRequested_) {
        return;
    }
    auto* window = new SaverWindow(scene_, *this);
    window->setPictureRules(rules_);
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

void SaverSession::removeScreen(QScreen* screen) {
    bool hadKeyboard = false;
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if (it->first == screen) {
            SaverWindow* window = it->second;
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
}

bool SaverSession::ownsActiveWindow() const {
    const QWidget* active = QApplication::activeWindow();
    for (const auto& [screen, window] : windows_) {
        if (window == active) {
            return true;
        }
    }
    return false;
}

void SaverSession::activatePrimary() {
    QScreen* primary = QGuiApplication::primaryScreen();
    SaverWindow* chosen = windows_.empty() ? nullptr : windows_.back().second;
    for (const auto& [screen, window] : windows_) {
        if (screen == primary) {
            chosen = window;
        }
    }
    if (chosen != nullptr) {
        chosen->raise();
        chosen->activateWindow();
    }
}

void SaverSession::activationLeft() {
    // Decided once the window system has settled where activation went.
    if (!activationCheckPending_) {
        activationCheckPending_ = true;
        QTimer::singleShot(0, this, &SaverSession::checkActivation);
    }
}

void SaverSession::checkActivation() {
    activationCheckPending_ = false;
    if (!ownsActiveWindow()) {
        // A Wayland compositor takes the keyboard whatever a client asks: a password notice
        // stays, and the desktop's own lock keeps the session.
        if (!canHoldKeyboard() && scene_.passwordLock) {
            lockSession();
            return;
        }
        apply(input_.activationLost());
    }
}

void SaverSession::apply(InputVerdict verdict) {
    if (verdict == InputVerdict::Close && !closeRequested_) {
        closeRequested_ = true;
        // Closed after the current event has been handled, as a posted request would be.
        QMetaObject::invokeMethod(this, &SaverSession::closeNotice, Qt::QueuedConnection);
    }
}

void SaverSession::closeNotice() {
    for (const auto& [screen, window] : windows_) {
        window->allowClose();
        window->close();
    }
    QCoreApplication::exit(0);
}

}  // namespace rumo
