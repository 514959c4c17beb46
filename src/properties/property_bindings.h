// The 45 settings of the properties dialog: which control shows each, of which kind, in the
// order the dialog exchanges them with its controls and the order it reads and writes them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "settings/schema.h"
#include "settings/settings_store.h"

namespace rumo {

enum class BindingKind {
    Text,     // an edit's whole text
    Check,    // a check box's state
    Radio,    // the index of the checked button of the group starting at the control, or -1
    Integer,  // a memo position typed as a signed decimal number
};

struct PropertyBinding {
    int control;  // the edit, the check box, or the first button of a radio group
    BindingKind kind;
    SettingRef setting;
};

// In the order the dialog moves values between members and controls.
const std::vector<PropertyBinding>& exchangeOrder();

// In the order the settings are read at start and written on OK.
const std::vector<PropertyBinding>& storageOrder();

// The members of one run of the dialog, keyed by control number.
struct PropertyValues {
    std::map<int, std::string> texts;
    std::map<int, int> numbers;  // check states, radio indices and memo positions

    friend bool operator==(const PropertyValues&, const PropertyValues&) = default;
};

// Reads the 45 settings with their defaults, all from one reading of the store.
PropertyValues loadProperties(SettingsStore& store);

// Writes the 45 settings, and `alsoWrite` behind them, as one batch: all of them are stored, or
// none and the reason is given.
WriteStatus saveProperties(SettingsStore& store, const PropertyValues& values,
                           const std::vector<SettingWrite>& alsoWrite = {});

}  // namespace rumo
