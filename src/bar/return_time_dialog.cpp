#include "bar/return_time_dialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace rumo {

std::optional<DayTime> askReturnTime(QWidget* owner, DayTime initial) {
    QDialog dialog(owner);
    dialog.setWindowTitle(QCoreApplication::translate("ReturnTime", "Return time"));
    auto* time = new QTimeEdit(QTime(initial.hour, initial.minute), &dialog);
    time->setDisplayFormat(QStringLiteral("H:mm"));
    time->setWrapping(true);
    time->setObjectName(QStringLiteral("returnTime"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(time);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    time->setFocus(Qt::OtherFocusReason);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return DayTime{time->time().hour(), time->time().minute()};
}

}  // namespace rumo
