#include "app/ask_where.h"

#include <QInputDialog>

#include "bar/menu_model.h"
#include "common/app_icon.h"
#include "common/qt_values.h"
#include "settings/schema.h"
#include "settings/settings_store.h"

namespace rumo {

std::optional<QString> askWhere(SettingsStore& store) {
    QStringList destinations;
    for (const std::string& place : bar::destinationComboItems(bar::readPlaces(store))) {
        destinations << qtText(place);
    }
    QInputDialog dialog;
    dialog.setWindowTitle(QStringLiteral("RUMO?"));
    dialog.setWindowIcon(appIcon());
    dialog.setLabelText(QStringLiteral("行き先"));
    dialog.setComboBoxItems(destinations);
    dialog.setComboBoxEditable(true);
    dialog.setTextValue(qtText(store.read(settings::Where)));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

}  // namespace rumo
