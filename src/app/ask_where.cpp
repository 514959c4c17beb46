#include "app/ask_where.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTimeEdit>

#include "bar/menu_model.h"
#include "common/app_icon.h"
#include "common/qt_values.h"
#include "settings/return_setting.h"
#include "settings/schema.h"
#include "settings/settings_store.h"

namespace rumo {

namespace {

// The return list's entries beyond the quick picks: the return time already set, kept as it is.
constexpr int kKeepCurrent = -1;

}  // namespace

std::optional<AwayAnswer> askWhere(SettingsStore& store) {
    const SettingsSnapshot values = store.snapshot();
    const LocalDateTime opened = localDateTime(QDateTime::currentDateTime());
    const std::optional<LocalMinute> current = currentReturn(readReturnTime(values), opened);

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("RUMO?"));
    dialog.setWindowIcon(appIcon());

    auto* where = new QComboBox(&dialog);
    where->setEditable(true);
    for (const std::string& place : bar::destinationComboItems(bar::readPlaces(store))) {
        where->addItem(qtText(place));
    }
    where->setEditText(qtText(values.read(settings::Where)));
    where->lineEdit()->selectAll();

    auto* back = new QComboBox(&dialog);
    if (current) {
        back->addItem(qtText(returnTimeLabel(*current, opened)), kKeepCurrent);
    }
    for (const ReturnMenuEntry& entry : returnMenuEntries()) {
        back->addItem(qtText(entry.shownLabel()), static_cast<int>(entry.pick));
    }
    if (!current) {
        back->setCurrentIndex(back->findData(static_cast<int>(ReturnPick::None)));
    }
    auto* chosenTime = new QTimeEdit(&dialog);
    chosenTime->setDisplayFormat(QStringLiteral("H:mm"));
    chosenTime->setTime(current ? QTime(current->hour, current->minute) : QTime(opened.hour, 0));
    const auto pickOf = [back] { return back->currentData().toInt(); };
    const auto showTimeWhenChosen = [chosenTime, pickOf] {
        chosenTime->setEnabled(pickOf() == static_cast<int>(ReturnPick::Choose));
    };
    showTimeWhenChosen();
    QObject::connect(back, &QComboBox::currentIndexChanged, &dialog, showTimeWhenChosen);

    auto* backRow = new QHBoxLayout;
    backRow->addWidget(back, 1);
    backRow->addWidget(chosenTime);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QCoreApplication::translate("AskWhere", "Destination"), where);
    form->addRow(qtText(returnMenuTitle()), backRow);
    form->addRow(buttons);
    where->setFocus();

    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    AwayAnswer answer{where->currentText(), current};
    const int pick = pickOf();
    if (pick != kKeepCurrent) {
        const LocalDateTime now = localDateTime(QDateTime::currentDateTime());
        const auto chosen = static_cast<ReturnPick>(pick);
        const QTime time = chosenTime->time();
        answer.back = chosen == ReturnPick::Choose
                          ? nextOccurrence({time.hour(), time.minute()}, now)
                          : pickedReturn(chosen, now, readReturnDefaults(values));
    }
    return answer;
}

}  // namespace rumo
