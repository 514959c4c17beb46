// Runs a screen-saver program full screen: a black window covering the screen, stays on top, holds
// the keyboard and the mouse, and lends its native window to the program (XScreenSaver hacks draw
// into a given window with -window-id). Any key, click or mouse movement ends both.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QProcess>
#include <QWidget>
#include <optional>
#include <string>

namespace rumo {

class ScreenSaverHost : public QWidget {
    Q_OBJECT
public:
    // Opens a host for the program `file` of `directory`; returns at once. Nothing happens when
    // the file cannot make a command (no choice, not a plain name).
    static void start(const std::string& directory, const std::string& file);

    ~ScreenSaverHost() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ScreenSaverHost();
    void stopProgram();

    QPointer<QProcess> program_;
    std::optional<QPoint> firstPointer_;
};

}  // namespace rumo
