// The font chooser: the toolkit's font dialog has no colour control, so this dialog holds one
// embedded, with a colour button under it, and OK and Cancel for both.
#pragma once

#include <QColor>
#include <QDialog>

class QFontDialog;
class QPushButton;

namespace rumo {

class FontColourDialog : public QDialog {
    Q_OBJECT

public:
    explicit FontColourDialog(QWidget* parent = nullptr);

    void setCurrentFont(const QFont& font);
    QFont currentFont() const;
    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }

private:
    void pickColour();

    QFontDialog* fonts_;
    QPushButton* colourButton_;
    QColor colour_;
};

}  // namespace rumo
