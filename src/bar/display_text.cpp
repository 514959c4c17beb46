#include "bar/display_text.h"

#include "common/qt_values.h"

namespace rumo {

namespace {

// Longest text an item of the list or the menus shows. Laying out and drawing a text costs time
// with its length; beyond this, nothing more of it would fit on a screen anyway.
constexpr qsizetype kMaxShownChars = 256;

}  // namespace

QString shortenedForDisplay(const std::string& text) {
    QString shown = qtText(text);
    if (shown.size() > kMaxShownChars) {
        qsizetype cut = kMaxShownChars;
        if (shown.at(cut - 1).isHighSurrogate()) {
            --cut;  // never split a character
        }
        shown.truncate(cut);
        shown += QChar(0x2026);
    }
    return shown;
}

}  // namespace rumo
