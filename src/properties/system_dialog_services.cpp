#include "properties/system_dialog_services.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>

#include "common/qt_values.h"
#include "common/translate.h"
#include "properties/about_dialog.h"
#include "properties/font_colour_dialog.h"

namespace rumo {

namespace {

// The custom colours start white in every process and live only as long as it: whatever the
// toolkit restored from an earlier run is overwritten on first use.
void resetCustomColoursOnce() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        QColorDialog::setCustomColor(i, Qt::white);
    }
}

}  // namespace

QFont chooserFont(const FontRequest& request) {
    QString face = qtText(request.face);
    QFont font(face);
    if (!QFontDatabase::families().contains(face)) {
        face = QFontInfo(font).family();
        font.setFamily(face);
    }
    font.setPointSize(request.pointSize);
    font.setWeight(static_cast<QFont::Weight>(request.weight));
    font.setItalic(request.italic);
    font.setStrikeOut(request.strikeout);
    font.setUnderline(request.underline);
    return font;
}

ChosenFont chosenFontOf(const QFont& font, const QColor& colour) {
    ChosenFont chosen;
    chosen.face = font.family().toStdString();
    chosen.tenthsOfPoint = font.pointSizeF() > 0 ? qRound(font.pointSizeF() * 10) : 0;
    chosen.weight = font.weight();
    chosen.italic = font.italic();
    chosen.strikeout = font.strikeOut();
    chosen.underline = font.underline();
    chosen.colour = colourOf(colour);
    return chosen;
}

std::optional<Colour> SystemDialogServices::chooseColour(QWidget* parent, Colour initial) {
    resetCustomColoursOnce();
    const QColor chosen = QColorDialog::getColor(qtColour(initial), parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return colourOf(chosen);
}

std::optional<ChosenFont> SystemDialogServices::chooseFont(QWidget* parent,
                                                           const FontRequest& initial) {
    FontColourDialog dialog(parent);
    dialog.setCurrentFont(chooserFont(initial));
    dialog.setColour(qtColour(initial.colour));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chosenFontOf(dialog.currentFont(), dialog.colour());
}

std::unique_ptr<QFileDialog> makePictureChooser(QWidget* parent, const QString& initialPath) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    // The toolkit's own chooser, not the desktop's: some desktop choosers match the patterns
    // case-sensitively, hiding PHOTO.JPG, and refuse a typed name of a file that does not exist.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile);
    const auto joined = [](const auto& patterns) {
        QStringList list;
        for (std::string_view pattern : patterns) {
            list << qtText(pattern);
        }
        return list.join(u' ');
    };
    // The entry reads as it always has; the toolkit matches the last parenthesised list and,
    // with its details hidden, shows everything before it.
    dialog->setNameFilter(QStringLiteral("%1 (%2) (%3)")
                              .arg(qtText(translateData("PictureChooser", kPictureFilterName)),
                                   joined(kPicturePatterns), joined(kPictureMatchedPatterns)));
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    // Camera and scanner files are often named in capitals; "*.jpg" must match PHOTO.JPG.
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    dialog->setDefaultSuffix(qtText(kPictureDefaultExtension));
    if (!initialPath.isEmpty()) {
        const QFileInfo info(initialPath);
        dialog->setDirectory(info.absolutePath());
        dialog->selectFile(info.fileName());
    }
    return dialog;
}

// The file need not exist: a typed name is taken as it is (the default extension is added by
// the caller when it has none).
std::optional<QString> SystemDialogServices::choosePicture(QWidget* parent,
                                                           const QString& initialPath) {
    const std::unique_ptr<QFileDialog> dialog = makePictureChooser(parent, initialPath);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().constFirst();
}

std::optional<QString> SystemDialogServices::chooseCalendarFile(QWidget* parent) {
    const QString file = QFileDialog::getOpenFileName(
        parent, QString(), QString(),
        QCoreApplication::translate("PropertiesDialog", "Calendars (*.ics);;All files (*)"));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

SecretResult SystemDialogServices::keepSecret(const QString& name, const QString& secret) {
    return storeSecret(name, secret);
}

void SystemDialogServices::forgetKeptSecret(const QString& name) {
    // A password left behind in the keyring harms nothing the user can see; nothing to tell.
    (void)forgetSecret(name);
}

void SystemDialogServices::showAbout(QWidget* parent) {
    AboutDialog about(parent);
    about.exec();
}

bool SystemDialogServices::openDocument(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void SystemDialogServices::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("RUMO?"), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace rumo
