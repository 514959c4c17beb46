#include "bar/destination_combo.h"

#include <QFocusEvent>

namespace rumo {

void DestinationCombo::showPopup() {
    emit refillRequested();
    QComboBox::showPopup();
}

void DestinationCombo::focusInEvent(QFocusEvent* event) {
    // The focus comes back from the box's own open list after a pick, before the pick is
    // reported: a refill then would reselect the stored destination and lose the pick.
    if (event->reason() != Qt::PopupFocusReason) {
        emit refillRequested();
    }
    QComboBox::focusInEvent(event);
}

}  // namespace rumo
