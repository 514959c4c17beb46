// The full-screen notice as a whole: one window on every screen, following screens added,
// removed and resized, all fed to one set of input rules (the mouse's first position and the
// typed password are shared). Activation moving between its own windows is no loss of it.
// Where the window system allows (X11), the notice holds the keyboard and the pointer while it
// shows, so that no shortcut of the desktop and no other program gets any input.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <utility>
#include <vector>

#include "platform/session_lock_watch.h"
#include "platform/x11_input_focus.h"
#include "screen/notice_input.h"
#include "screen/notice_pictures.h"
#include "screen/notice_scene.h"

class QScreen;

namespace rumo {

class SettingsStore;
class NoticeWindow;

class NoticeSession : public QObject {
    Q_OBJECT
public:
    explicit NoticeSession(SettingsStore& store, QObject* parent = nullptr);
    ~NoticeSession() override;

    void setPictureRules(PictureRules rules) { rules_ = std::move(rules); }
    // Shows the notice on every screen and activates the primary screen's window.
    void show();

    int windowCount() const { return static_cast<int>(windows_.size()); }
    // True while the notice's window holds both the keyboard and the pointer.
    bool holdsInput() const { return inputHeld_; }

signals:
    // The desktop's own screen locker takes the screen (true) or has given it back (false).
    void lockerHoldsScreen(bool holds);

private:
    // Ends the notice (the process's event loop), or takes the keyboard and the front back,
    // when the verdict says so.
    void apply(InputVerdict verdict);
    // One of the windows lost activation: the notice ends unless another of its windows has it.
    void activationLeft();
    void addScreen(QScreen* screen);
    void removeScreen(QScreen* screen);
    bool ownsActiveWindow() const;
    NoticeWindow* primaryWindow() const;
    void activatePrimary();
    void holdInput();
    void reclaim();
    void yieldToLocker();
    void lockerLeft();
    void checkActivation();
    void closeNotice();

    NoticeScene scene_;
    NoticeInput input_;
    PictureRules rules_;
    std::vector<std::pair<QScreen*, NoticeWindow*>> windows_;
    bool closeRequested_ = false;
    bool activationCheckPending_ = false;
    bool inputHeld_ = false;
    QElapsedTimer activationAsked_;
    // Another program may hold a grab when the notice starts (an open menu): tried again until
    // it lets go.
    QTimer grabRetry_;
    // While the desktop's locker holds the screen the notice neither grabs nor raises itself; it
    // takes the screen back once the locker has let the keyboard go.
    bool yielding_ = false;
    QTimer lockerGrace_;
    // Raises the windows again between frames, so that a pop-up is covered quickly even where
    // the frames come once a second.
    QTimer frontKeeper_;
    X11FocusWatch focusWatch_;
    SessionLockWatch lockWatch_;
    // Where the keyboard cannot be held (Wayland): the desktop's lock asked for, and when it was
    // granted.
    bool sessionLockAsked_ = false;
    QElapsedTimer sessionLocked_;
};

}  // namespace rumo
