// The font chooser: the toolkit's font dialog has no colour control, so this dialog holds one
// embedded, with a colour button under it, and OK and Cancel for both. For a face without a
// bold or italic style of its own (the IPA faces have only a regular one), which the toolkit's
// style list cannot offer, its own check boxes choose the synthesised bold and italic.
#pragma once

#include <QColor>
#include <QDialog>

class QCheckBox;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pickColour();
    // Enables the check boxes for the styles the current face lacks, and shows them in the
    // sample.
    void offerSynthesisedStyles();

    QFontDialog* fonts_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QPushButton* colourButton_;
    QColor colour_;
};

}  // namespace rumo
