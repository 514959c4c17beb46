// Dialog templates as data: every control's number, kind, caption, place in dialog units and
// tab. The rows themselves live in resources/dialogs/; this is their shape and the lookups.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "common/dialog_units.h"

namespace rumo {

// Flags of a control row.
inline constexpr int kGroup = 1;       // starts a group: ends the radio group before it
inline constexpr int kHidden = 2;      // starts hidden
inline constexpr int kPassword = 4;    // edit that masks what is typed
inline constexpr int kRightAlign = 8;  // edit with right-aligned text
inline constexpr int kNoScroll = 16;   // edit that takes only what fits its width

// Tab of a control that belongs to no tab page (the tab bar, OK, Cancel).
inline constexpr int kEveryTab = -1;

struct ControlDef {
    int id;  // -1 for a control nobody addresses
    ControlKind kind;
    std::string_view caption;
    int x, y, width, height;  // dialog units
    int tab;
    int flags;

    DialogRect rect() const { return {x, y, width, height}; }
    bool has(int flag) const { return (flags & flag) != 0; }
};

struct DialogFrame {
    int templateId;
    int width, height;  // dialog units
    std::string_view face;
    int pointSize;
    std::string_view caption;
    // The translation context of the captions (the English source texts) of every row.
    const char* context;
};

struct DialogTemplate {
    DialogFrame frame;
    std::span<const ControlDef> controls;
};

const DialogTemplate& propertiesTemplate();  // template 130
const DialogTemplate& aboutTemplate();       // template 134

// The row of a control, or nullptr when the template has no such control.
const ControlDef* findControl(const DialogTemplate& dialog, int id);

// The radio buttons of the group that starts at firstId: that button and the radio buttons after
// it in template order up to the next control that starts a group. Index i is the value i.
std::vector<int> radioGroup(const DialogTemplate& dialog, int firstId);

// The controls of a tab page (0 to 4) in template order; empty for any other index.
std::vector<int> tabControls(const DialogTemplate& dialog, int tab);

}  // namespace rumo
