#include "properties/font_colour_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rumo {

FontColourDialog::FontColourDialog(QWidget* parent)
    : QDialog(parent), fonts_(new QFontDialog(this)), colourButton_(new QPushButton(this)) {
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
    colourRow->addStretch();
    connect(colourButton_, &QPushButton::clicked, this, &FontColourDialog::pickColour);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
    setColour(Qt::black);
}

void FontColourDialog::setCurrentFont(const QFont& font) {
    fonts_->setCurrentFont(font);
}

QFont FontColourDialog::currentFont() const {
    return fonts_->currentFont();
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
