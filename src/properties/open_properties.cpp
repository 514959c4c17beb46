#include "properties/open_properties.h"

#include <QPointer>

#include "properties/properties_dialog.h"
#include "properties/system_dialog_services.h"

namespace rumo {

// One dialog at a time: the tray menu stays reachable while the dialog runs, and a second
// dialog would let two sets of the same settings overwrite each other. A second request brings
// the open one to the front instead.
void openProperties(SettingsStore& store, QWidget* owner) {
    static QPointer<PropertiesDialog> open;
    if (open) {
        open->raise();
        open->activateWindow();
        return;
    }
    SystemDialogServices services;
    PropertiesDialog dialog(store, services, owner);
    open = &dialog;
    runPropertiesDialog(dialog);
}

}  // namespace rumo
