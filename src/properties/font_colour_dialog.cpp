#include "properties/font_colour_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <climits>
#include <cstdlib>
#include <tuple>

namespace rumo {

namespace {

// The face's own style closest to a weight and slant, its plain width first: the toolkit's
// dialog looks a style up by its name in the interface's language, which misses the names the
// font files give ("Bold" is asked for as "太字") and falls back to the first style listed.
QString closestStyle(const QString& family, int weight, bool italic) {
    QString best;
    std::tuple<bool, int, qsizetype> bestScore{true, INT_MAX, 0};
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont face = QFontDatabase::font(family, style, 12);
        const std::tuple<bool, int, qsizetype> score{(face.style() != QFont::StyleNormal) != italic,
                                                     std::abs(face.weight() - weight),
                                                     style.size()};
        if (best.isEmpty() || score < bestScore) {
            best = style;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace

FontColourDialog::FontColourDialog(QWidget* parent)
    : QDialog(parent),
      fonts_(new QFontDialog(this)),
      bold_(new QCheckBox(QCoreApplication::translate("FontDialog", "&Bold"), this)),
      italic_(new QCheckBox(QCoreApplication::translate("FontDialog", "I&talic"), this)),
      colourButton_(new QPushButton(this)) {
    setWindowTitle(QCoreApplication::translate("FontDialog", "Font"));
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setSizeGripEnabled(false);
    // Esc and Enter in the embedded dialog would close only it, leaving this one empty.
    fonts_->installEventFilter(this);

    auto* colourRow = new QHBoxLayout;
    auto* label = new QLabel(QCoreApplication::translate("FontDialog", "&Colour:"), this);
    label->setBuddy(colourButton_);
    colourButton_->setMinimumWidth(80);
    colourButton_->setAutoDefault(false);  // Enter confirms the chooser wherever the focus is
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
    fonts_->setFocus(Qt::OtherFocusReason);
}

bool FontColourDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fonts_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Escape) {
                reject();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                accept();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
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
    QFont shown = font;
    if (shown.styleName().isEmpty()) {
        const QString style = closestStyle(font.family(), font.weight(), font.italic());
        if (!style.isEmpty()) {
            shown.setStyleName(style);
        }
    }
    fonts_->setCurrentFont(shown);
    const QSignalBlocker quietBold(bold_);
    const QSignalBlocker quietItalic(italic_);
    bold_->setChecked(font.bold());
    italic_->setChecked(font.italic());
    offerSynthesisedStyles();
}

QFont FontColourDialog::currentFont() const {
    QFont font = fonts_->currentFont();
    if (bold_->isEnabled() || italic_->isEnabled()) {
        // A style name would take precedence over the weight and slant set here.
        font.setStyleName(QString());
    }
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
