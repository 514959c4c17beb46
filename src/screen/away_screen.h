// The window that shows the away notice: full screen (as the base of SaverWindow) or as a
// preview inside another program's window. It takes no input of its own.
#pragma once

#include <QColor>
#include <QWidget>

namespace rumo {

class SettingsStore;

class AwayScreen : public QWidget {
    Q_OBJECT
public:
    explicit AwayScreen(SettingsStore& store, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_;
};

}  // namespace rumo
