#include "properties/template_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QValidator>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "common/app_icon.h"
#include "common/dialog_font.h"
#include "common/qt_values.h"
#include "common/translate.h"
#include "rumo_build_info.h"  // the version the version box shows

namespace rumo {

namespace {

// The framed page under a tab strip, found again when the strip grows.
constexpr const char* kTabPageName = "tabPage";

QRect pixels(const DialogRect& units, const DialogBaseUnits& base) {
    const DialogRect r = toPixels(units, base);
    return {r.x, r.y, r.width, r.height};
}

// Refuses what would not fit the edit's width: the edit never scrolls, so everything typed stays
// in view. A text given by the program (a stored value) is shown as it is.
class FitsWidthValidator : public QValidator {
public:
    explicit FitsWidthValidator(QLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& /*pos*/) const override {
        QStyleOptionFrame option;
        option.initFrom(edit_);
        option.lineWidth = edit_->hasFrame() ? edit_->style()->pixelMetric(
                                                   QStyle::PM_DefaultFrameWidth, &option, edit_)
                                             : 0;
        const QRect contents =
            edit_->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit_);
        const QMargins margins = edit_->textMargins();
        // The toolkit keeps two pixels free on each side of the text, and room for the cursor.
        const int room = contents.width() - margins.left() - margins.right() - 2 * 2 - 1;
        return edit_->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
    }

private:
    QLineEdit* edit_;
};

// A tab control is a tab bar over a framed page; the page is drawn first so the other controls
// lie on top of it.
QWidget* makeTabControl(QDialog& dialog, const QRect& area) {
    auto* page = new QFrame(&dialog);
    page->setObjectName(QString::fromLatin1(kTabPageName));
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* bar = new QTabBar(&dialog);
    bar->setExpanding(false);
    bar->setDrawBase(false);
    // Every tab stays in sight: the dialog grows to the strip (fitTabStrip) rather than scroll it.
    bar->setUsesScrollButtons(false);
    // The tab texts come later; the strip's height is that of a tab with a line of text.
    bar->addTab(QStringLiteral("Tab"));  // untranslated: measured, then removed
    const int barHeight = bar->sizeHint().height();
    bar->removeTab(0);
    bar->setGeometry(area.x(), area.y(), area.width(), barHeight);
    page->setGeometry(area.x(), area.y() + barHeight - 1, area.width(),
                      area.height() - barHeight + 1);
    return bar;
}

// A caption in the interface's language; "%1" in it is the program's version, the one thing a
// template row cannot hold as a constant text.
QString shownCaption(const DialogFrame& frame, std::string_view caption) {
    if (caption.empty()) {
        return {};
    }
    return qtText(withArgument(translateData(frame.context, caption), RUMO_VERSION));
}

QWidget* makeControl(QDialog& dialog, const DialogFrame& frame, const ControlDef& def,
                     const QRect& area) {
    const QString caption = shownCaption(frame, def.caption);
    switch (def.kind) {
        case ControlKind::Tab:
            return makeTabControl(dialog, area);
        case ControlKind::DefaultButton:
        case ControlKind::PushButton: {
            auto* button = new QPushButton(caption, &dialog);
            button->setDefault(def.kind == ControlKind::DefaultButton);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(caption, &dialog);
        case ControlKind::Radio:
            return new QRadioButton(caption, &dialog);
        case ControlKind::Check:
            return new QCheckBox(caption, &dialog);
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(&dialog);
            // A stored text of any length is shown and saved whole, never cut at Qt's default.
            edit->setMaxLength(std::numeric_limits<int>::max());
            if (def.has(kPassword)) {
                edit->setEchoMode(QLineEdit::Password);
            }
            if (def.has(kRightAlign)) {
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            if (def.has(kNoScroll)) {
                edit->setValidator(new FitsWidthValidator(edit));
            }
            return edit;
        }
        case ControlKind::DropDownList:
            return new QComboBox(&dialog);
        case ControlKind::ListBox:
            return new QListWidget(&dialog);
        case ControlKind::Static:
            return new QLabel(caption, &dialog);
        case ControlKind::Icon: {
            auto* label = new QLabel(&dialog);
            label->setPixmap(appIcon().pixmap(32, 32));
            return label;
        }
    }
    return nullptr;
}

}  // namespace

void fitTabStrip(QDialog& dialog, QTabBar& bar) {
    const int missing = bar.sizeHint().width() - bar.width();
    if (missing <= 0) {
        return;
    }
    auto* page = dialog.findChild<QFrame*>(QString::fromLatin1(kTabPageName));
    const int shift = missing / 2;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == &bar || child == page) {
            child->resize(child->width() + missing, child->height());
        } else {
            child->move(child->x() + shift, child->y());
        }
    }
    dialog.setFixedWidth(dialog.width() + missing);
}

QString controlName(int id) {
    return QStringLiteral("control%1").arg(id);
}

DialogBaseUnits templateUnits(const QFont& font) {
    DialogBaseUnits base = baseUnitsOf(font);
    // A number in the translation, as Qt keeps the layout direction there: the widening belongs
    // with the captions that need it.
    const int percent = std::clamp(
        std::atoi(translate("DialogLayout", "140",
                            "how wide the dialogs are, in percent of the Japanese layout; enough "
                            "for every caption of this language")
                      .c_str()),
        100, 200);
    base.averageCharWidth = mulDiv(base.averageCharWidth, percent, 100);
    return base;
}

std::map<int, QWidget*> buildTemplate(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    const DialogFrame& frame = dialogTemplate.frame;
    const QFont font = dialogFont(qtText(frame.face), frame.pointSize);
    dialog.setFont(font);
    const DialogBaseUnits base = templateUnits(font);
    dialog.setFixedSize(pixels({0, 0, frame.width, frame.height}, base).size());
    // An empty title would make the window system show the program's name instead.
    dialog.setWindowTitle(frame.caption.empty() ? QStringLiteral(" ")
                                                : shownCaption(frame, frame.caption));

    std::map<int, QWidget*> controls;
    for (const ControlDef& def : dialogTemplate.controls) {
        QRect area = pixels(def.rect(), base);
        if (def.kind == ControlKind::Icon) {
            area.setSize({32, 32});  // an icon control takes the icon's own size
        }
        QWidget* widget = makeControl(dialog, frame, def, area);
        if (def.kind == ControlKind::Static) {
            // Text the template's font would fit but ours does not runs on rather than being cut.
            area.setWidth(std::max(area.width(), widget->sizeHint().width()));
        }
        if (def.kind != ControlKind::Tab) {
            widget->setGeometry(area);
        }
        if (def.has(kHidden)) {
            widget->setVisible(false);
        }
        if (def.id != -1) {
            widget->setObjectName(controlName(def.id));
            controls[def.id] = widget;
        }
    }
    return controls;
}

}  // namespace rumo
