// The real choosers, version box, document viewer and message box behind the dialog's
// services.
#pragma once

#include <QColor>
#include <QFont>
#include <memory>

#include "properties/dialog_services.h"

class QFileDialog;

namespace rumo {

class SystemDialogServices : public DialogServices {
public:
    std::optional<Colour> chooseColour(QWidget* parent, Colour initial) override;
    std::optional<ChosenFont> chooseFont(QWidget* parent, const FontRequest& initial) override;
    std::optional<QString> choosePicture(QWidget* parent, const QString& initialPath) override;
    std::optional<QString> chooseCalendarFile(QWidget* parent) override;
    SecretResult keepSecret(const QString& name, const QString& secret) override;
    void forgetKeptSecret(const QString& name) override;
    void showAbout(QWidget* parent) override;
    bool openDocument(const QUrl& url) override;
    void showMessage(QWidget* parent, const QString& text) override;
};

// The font a chooser opens on, with a stored face the font database lacks replaced by the face
// it resolves to, so the chooser's list shows a real entry.
QFont chooserFont(const FontRequest& request);

// The picture chooser, set up and not yet run: on initialPath, with the one filter entry (which
// also matches upper-case extensions) and "bmp" added to a typed name without an extension.
std::unique_ptr<QFileDialog> makePictureChooser(QWidget* parent, const QString& initialPath);

// What the chooser's font and colour turn into.
ChosenFont chosenFontOf(const QFont& font, const QColor& colour);

}  // namespace rumo
