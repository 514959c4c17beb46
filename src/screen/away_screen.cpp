#include "screen/away_screen.h"

#include <QPainter>

#include "settings/settings_store.h"

namespace rumo {

AwayScreen::AwayScreen(SettingsStore& store, QWidget* parent) : QWidget(parent) {
    // Every paint covers the whole window, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::BlankCursor);
    background_ = QColor(readSetting(store, configKey("ColorR")) & 0xFF,
                         readSetting(store, configKey("ColorG")) & 0xFF,
                         readSetting(store, configKey("ColorB")) & 0xFF);
}

void AwayScreen::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
}

}  // namespace rumo
