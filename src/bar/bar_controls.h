// The bar's controls, built from its template: the destination list and the start button.
#pragma once

class QPushButton;
class QWidget;

namespace rumo {

class DestinationCombo;

struct BarControls {
    DestinationCombo* combo = nullptr;
    QPushButton* startButton = nullptr;
};

// Gives `bar` the template's font and lays the controls out on it, named by their ids.
BarControls buildBarControls(QWidget& bar);

}  // namespace rumo
