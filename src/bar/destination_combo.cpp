#include "bar/destination_combo.h"

namespace rumo {

void DestinationCombo::showPopup() {
    emit refillRequested();
    QComboBox::showPopup();
}

void DestinationCombo::focusInEvent(QFocusEvent* event) {
    emit refillRequested();
    QComboBox::focusInEvent(event);
}

}  // namespace rumo
