#include "properties/about_dialog.h"

#include <QPushButton>

#include "properties/dialog_template.h"
#include "properties/template_widgets.h"

namespace rumo {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    const auto controls = buildTemplate(*this, aboutTemplate());
    auto* ok = qobject_cast<QPushButton*>(controls.at(1));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace rumo
