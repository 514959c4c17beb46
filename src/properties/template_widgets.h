// Builds a dialog's controls from its template: each control at its dialog-unit place, scaled by
// the template's font, named "control<id>" so it can be found by its number.
#pragma once

#include <QString>
#include <map>

#include "properties/dialog_template.h"

class QDialog;
class QFont;
class QTabBar;
class QWidget;

namespace rumo {

// Creates every control of the template as a child of dialog, sizes the dialog and sets its font
// and caption. Returns the controls by number (controls numbered -1 are left out).
std::map<int, QWidget*> buildTemplate(QDialog& dialog, const DialogTemplate& dialogTemplate);

QString controlName(int id);

// A tab control's strip was laid out for the template's tabs; once the tabs are added, a strip
// too narrow for them all (it would hide some behind scroll arrows) widens the dialog to fit, the
// controls keeping their places relative to each other, centred in the wider dialog.
void fitTabStrip(QDialog& dialog, QTabBar& bar);

// The dialog units of a template in `font`, in the interface's language: the layout was drawn for
// Japanese captions, and a language that needs more room makes every dialog unit wider.
DialogBaseUnits templateUnits(const QFont& font);

}  // namespace rumo
