// The bar's controls, built from its template: the destination list and the start button; and
// the return-time button beside them.
#pragma once

class QPushButton;
class QToolButton;
class QWidget;

namespace rumo {

class DestinationCombo;

struct BarControls {
    DestinationCombo* combo = nullptr;
    QPushButton* startButton = nullptr;
    QToolButton* returnButton = nullptr;  // opens the "戻り予定" quick picks
};

// Gives `bar` the template's font and lays the controls out on it, named by their ids.
BarControls buildBarControls(QWidget& bar);

}  // namespace rumo
