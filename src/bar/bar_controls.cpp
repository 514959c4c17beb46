#include "bar/bar_controls.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QToolButton>

#include "bar/bar_template.h"
#include "bar/destination_combo.h"
#include "common/dialog_font.h"
#include "common/qt_values.h"

namespace rumo {

BarControls buildBarControls(QWidget& bar) {
    const bar::BarTemplate& layout = bar::barTemplate();
    const QFont font = dialogFont(qtText(layout.fontFace), layout.fontPoints);
    bar.setFont(font);
    const DialogBaseUnits base = baseUnitsOf(font);
    BarControls controls;
    for (const bar::TemplateControl& control : layout.controls) {
        const DialogRect px = toPixels(control.rect, base);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::DropDownList: {
                auto* combo = new DestinationCombo(&bar);
                combo->setFocusPolicy(Qt::StrongFocus);
                // The closed box is one line high; the template's height is the open list's.
                combo->setMaxVisibleItems(
                    qMax(1, px.height / qMax(1, combo->fontMetrics().height())));
                combo->setGeometry(px.x, px.y, px.width, toPixels(layout.client, base).height);
                // The list is empty and the button bare until places are set: say what they are.
                combo->setToolTip(QCoreApplication::translate("DestinationBar", "Destinations"));
                controls.combo = combo;
                widget = combo;
                break;
            }
            case ControlKind::DefaultButton:
                controls.startButton = new QPushButton(&bar);
                controls.startButton->setDefault(true);
                controls.startButton->setGeometry(px.x, px.y, px.width, px.height);
                controls.startButton->setToolTip(
                    QCoreApplication::translate("DestinationBar", "Start away notice"));
                widget = controls.startButton;
                break;
            default:
                continue;  // the bar's template holds only the list and the button
        }
        widget->setObjectName(QString::number(control.id));
        // The controls cover the whole bar: a right click on either is a right click on the bar.
        widget->setContextMenuPolicy(Qt::NoContextMenu);
    }
    controls.returnButton = new QToolButton(&bar);
    const DialogRect px = toPixels(bar::kReturnButtonRect, base);
    controls.returnButton->setGeometry(px.x, px.y, px.width, px.height);
    // One character wide: an arrow where no word would fit.
    controls.returnButton->setText(QCoreApplication::translate(
        "DestinationBar", "↩", "the return-time button, one character"));
    controls.returnButton->setToolTip(QCoreApplication::translate("ReturnTime", "Return time"));
    controls.returnButton->setObjectName(QStringLiteral("returnButton"));
    controls.returnButton->setFocusPolicy(Qt::StrongFocus);
    controls.returnButton->setContextMenuPolicy(Qt::NoContextMenu);
    return controls;
}

}  // namespace rumo
