#include "properties/font_colour_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rumo {

FontColourDialog::FontColourDialog(QWidget* parent)
    : QDialog(parent),
      fonts_(new QFontDialog(this)),
      bold_(new QCheckBox(QStringLiteral("太字(&B)"), this)),
      italic_(new QCheckBox(QStringLiteral("斜体(&T)"), this)),
      colourButton_(new QPushButton(this)) {
    setWindowTitle(QStringLiteral("フォント"));
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setSizeGripEnabled(false);

    auto* colourRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("色(&C):"), this);
    label->setBuddy(colourButton_);
    colourButton_->setMinimumWidth(80);
    colourRow->addWidget(label);
    colourRow->addWidget(colourButton_);
    colourRow->addSpacing(24);
    colourRow->addWidget(bold_);
    colourRow->addWidget(italic_);
    colourRow->addStretch();
    connect(colourButton_, &QPushButton::clicked, this, &FontColourDialog::pickColour);
    connect(fonts_, &QFontDialog::currentFontChanged, this,
            &FontColourDialog::offerSynthesisedStyles);
    connect(bold_, &QCheckBox::toggled, this, &FontColourDialog::offerSynthesisedStyles);
    connect(italic_, &QCheckBox::toggled, this, &FontColourDialog::offerSynthesisedStyles);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
    setColour(Qt::black);
    offerSynthesisedStyles();
}

void FontColourDialog::offerSynthesisedStyles() {
    const QString family = fonts_->currentFont().family();
    bool hasBold = false;
    bool hasItalic = false;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont face = QFontDatabase::font(family, style, 12);
        hasBold = hasBold || face.weight() >= QFont::DemiBold;
        hasItalic = hasItalic || face.style() != QFont::StyleNormal;  // oblique counts too
    }
    // Bitmap faces cannot be emboldened or slanted.
    const bool scalable = QFontDatabase::isSmoothlyScalable(family);
    bold_->setEnabled(scalable && !hasBold);
    italic_->setEnabled(scalable && !hasItalic);
    // The sample shows what OK would answer; the toolkit's dialog answers its sample's font.
    auto* sample = fonts_->findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"));
    if (sample != nullptr && sample->font() != currentFont()) {
        sample->setFont(currentFont());
    }
}

void FontColourDialog::setCurrentFont(const QFont& font) {
    fonts_->setCurrentFont(font);
    const QSignalBlocker quietBold(bold_);
    const QSignalBlocker quietItalic(italic_);
    bold_->setChecked(font.bold());
    italic_->setChecked(font.italic());
    offerSynthesisedStyles();
}

QFont FontColourDialog::currentFont() const {
    QFont font = fonts_->currentFont();
    if (bold_->isEnabled()) {
        font.setBold(bold_->isChecked());
    }
    if (italic_->isEnabled()) {
        font.setItalic(italic_->isChecked());
    }
    return font;
}

void FontColourDialog::setColour(const QColor& colour) {
    colour_ = colour;
    QPixmap swatch(48, 14);
    swatch.fill(colour);
    colourButton_->setIcon(QIcon(swatch));
    colourButton_->setIconSize(swatch.size());
    colourButton_->setToolTip(colour.name());
}

void FontColourDialog::pickColour() {
    const QColor chosen = QColorDialog::getColor(colour_, this);
    if (chosen.isValid()) {
        setColour(chosen);
    }
}

}  // namespace rumo
