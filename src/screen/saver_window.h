// The full-screen notice: covers the primary screen, stays in front, hides the pointer, and
// closes on the input its settings allow. Closing it ends the process.
#pragma once

#include <memory>

#include "screen/away_screen.h"
#include "screen/saver_input.h"

namespace rumo {

class SaverWindow : public AwayScreen {
    Q_OBJECT
public:
    explicit SaverWindow(SettingsStore& store);

    // Gives the window the primary screen's geometry and shows it in front of everything.
    void showOverScreen();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void apply(InputVerdict verdict);
    void closeNotice();

    SaverInput input_;
    bool closing_ = false;
};

}  // namespace rumo
