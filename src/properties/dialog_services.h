// Everything the properties dialog asks of the desktop: the colour, font and file choosers, the
// version box, the document viewer and message boxes. Tests answer these instead of a user.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

#include "platform/secret_store.h"
#include "properties/chooser_values.h"

class QWidget;

namespace rumo {

class DialogServices {
public:
    virtual ~DialogServices() = default;

    // Each returns nothing when the user cancels.
    virtual std::optional<Colour> chooseColour(QWidget* parent, Colour initial) = 0;
    virtual std::optional<ChosenFont> chooseFont(QWidget* parent, const FontRequest& initial) = 0;
    // Opens on initialPath (empty: no file named); returns the full path of the file chosen.
    virtual std::optional<QString> choosePicture(QWidget* parent, const QString& initialPath) = 0;

    // A calendar file (.ics); returns its full path.
    virtual std::optional<QString> chooseCalendarFile(QWidget* parent) = 0;
    // Puts a password into the desktop's keyring under `name`; never anywhere else.
    virtual SecretResult keepSecret(const QString& name, const QString& secret) = 0;
    virtual void forgetKeptSecret(const QString& name) = 0;

    virtual void showAbout(QWidget* parent) = 0;
    virtual bool openDocument(const QUrl& url) = 0;
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
};

}  // namespace rumo
