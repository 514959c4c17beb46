#include "bar/bar_template.h"

#include "bar/bar_commands.h"

namespace rumo::bar {

const BarTemplate& barTemplate() {
    static constexpr BarTemplate kTemplate{
        {0, 0, 91, 13},
        "ＭＳ Ｐゴシック",
        10,
        {{{kDestinationCombo, ControlKind::DropDownList, {0, 0, 81, 168}},
          {kStartButton, ControlKind::DefaultButton, {81, 0, 10, 13}}}}};
    return kTemplate;
}

DialogRect barClient() {
    DialogRect client = barTemplate().client;
    client.width = kReturnButtonRect.x + kReturnButtonRect.width;
    return client;
}

}  // namespace rumo::bar
