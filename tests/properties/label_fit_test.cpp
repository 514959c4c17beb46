// The fixed layout was drawn for the Japanese texts: every English caption must fit the width its
// control has in the template, measured with the dialog's own font and style.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <algorithm>
#include <cctype>

#include "common/dialog_font.h"
#include "common/dialog_units.h"
#include "common/japanese_faces.h"
#include "common/ui_translations.h"
#include "properties/about_dialog.h"
#include "properties/dialog_template.h"
#include "properties/properties_dialog.h"
#include "properties/system_dialog_services.h"
#include "properties/template_widgets.h"
#include "settings/memory_store.h"

namespace rumo {
namespace {

// The room a caption needs beside its text: the check or radio indicator and its spacing, a
// button's frame and margins, a group box's title inset.
int neededWidth(QWidget* widget, const QString& text) {
    const QFontMetrics metrics = widget->fontMetrics();
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    const int advance = metrics.horizontalAdvance(shown);
    QStyle* style = widget->style();
    if (qobject_cast<QCheckBox*>(widget) != nullptr) {
        return advance + style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget);
    }
    if (qobject_cast<QRadioButton*>(widget) != nullptr) {
        return advance + style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget);
    }
    if (qobject_cast<QPushButton*>(widget) != nullptr) {
        return advance + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget) + 4;
    }
    if (qobject_cast<QGroupBox*>(widget) != nullptr) {
        return advance + 2 * metrics.averageCharWidth();
    }
    return advance;
}

QString captionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        return box->title();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    return {};
}

// Every captioned control of the template whose caption is cut, with what it needs and has.
QStringList cutCaptions(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    const DialogBaseUnits base = templateUnits(dialog.font());
    QStringList cut;
    QList<QWidget*> unnamed = dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const ControlDef& def : dialogTemplate.controls) {
        if (std::none_of(def.caption.begin(), def.caption.end(), [](char c) {
                return std::isalpha(static_cast<unsigned char>(c)) != 0;
            })) {  // "(10)" and the like read the same in every language
            continue;
        }
        QWidget* widget = dialog.findChild<QWidget*>(QStringLiteral("control%1").arg(def.id));
        if (widget == nullptr) {  // a row without a number: the one unnamed label with a caption
            for (QWidget* candidate : unnamed) {
                if (candidate->objectName().isEmpty() && !captionOf(candidate).isEmpty()) {
                    widget = candidate;
                }
            }
        }
        if (widget == nullptr) {
            cut << QStringLiteral("row %1 has no widget").arg(def.id);
            continue;
        }
        const QString text = captionOf(widget);
        const int has = toPixels(def.rect(), base).width;
        const int needs = neededWidth(widget, text);
        if (needs > has) {
            cut << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                       .arg(def.id)
                       .arg(text)
                       .arg(needs)
                       .arg(has);
        }
    }
    return cut;
}

class EnglishInterface : public ::testing::Test {
protected:
    void SetUp() override {
        installJapaneseFaceSubstitutions();
        installUiTranslations(UiLanguage::English);
    }
    void TearDown() override { installUiTranslations(UiLanguage::Japanese); }
};

TEST_F(EnglishInterface, EveryCaptionAndTabFitsItsControl) {
    MemoryStore store;
    SystemDialogServices services;  // never asked: nothing is clicked
    PropertiesDialog properties(store, services);
    const QStringList cut = cutCaptions(properties, propertiesTemplate());
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
    QTabBar* tabs = properties.tabBar();
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Display"));  // English indeed
    EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), tabs->width());

    AboutDialog about;
    const QStringList aboutCut = cutCaptions(about, aboutTemplate());
    EXPECT_TRUE(aboutCut.isEmpty()) << aboutCut.join(u'\n').toStdString();
}

}  // namespace
}  // namespace rumo
