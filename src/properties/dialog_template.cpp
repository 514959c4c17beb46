#include "properties/dialog_template.h"

#include "common/translate.h"  // the captions are marked for translation

namespace rumo {

namespace {

using Kind = ControlKind;

// The core has no Qt: the marking for the translation tools is the text itself here.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

#include "dialogs/properties_dialog.inc"
#include "dialogs/version_box.inc"

}  // namespace

const DialogTemplate& propertiesTemplate() {
    static const DialogTemplate dialog{kPropertiesFrame, kPropertiesControls};
    return dialog;
}

const DialogTemplate& aboutTemplate() {
    static const DialogTemplate dialog{kAboutFrame, kAboutControls};
    return dialog;
}

const ControlDef* findControl(const DialogTemplate& dialog, int id) {
    for (const ControlDef& control : dialog.controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

std::vector<int> radioGroup(const DialogTemplate& dialog, int firstId) {
    std::vector<int> group;
    bool inGroup = false;
    for (const ControlDef& control : dialog.controls) {
        if (!inGroup) {
            inGroup = control.id == firstId;
        } else if (control.has(kGroup)) {
            break;
        }
        if (inGroup && control.kind == ControlKind::Radio) {
            group.push_back(control.id);
        }
    }
    return group;
}

std::vector<int> tabControls(const DialogTemplate& dialog, int tab) {
    std::vector<int> ids;
    if (tab < 0) {
        return ids;
    }
    for (const ControlDef& control : dialog.controls) {
        if (control.tab == tab) {
            ids.push_back(control.id);
        }
    }
    return ids;
}

}  // namespace rumo
