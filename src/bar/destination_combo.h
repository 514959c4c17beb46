// The bar's destination list: a drop-down list that asks to be refilled whenever it gets the
// focus from elsewhere or is about to drop down, so edits made elsewhere show at once.
#pragma once

#include <QComboBox>

namespace rumo {

class DestinationCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void refillRequested();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace rumo
