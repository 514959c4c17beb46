#include "properties/open_properties.h"

#include "properties/properties_dialog.h"
#include "properties/system_dialog_services.h"

namespace rumo {

void openProperties(SettingsStore& store, QWidget* owner) {
    SystemDialogServices services;
    PropertiesDialog dialog(store, services, owner);
    runPropertiesDialog(dialog, store);
}

}  // namespace rumo
