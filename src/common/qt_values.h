// The core's plain values as Qt takes them, and back: one conversion each, for every window.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QString>
#include <string>
#include <string_view>

#include "common/colour.h"
#include "common/local_time.h"

namespace rumo {

inline QColor qtColour(Colour colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

inline Colour colourOf(const QColor& colour) {
    return rgb(colour.red(), colour.green(), colour.blue());
}

// Texts are UTF-8 inside the program.
inline QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The local calendar's date and time of a moment.
inline LocalDateTime localDateTime(const QDateTime& moment) {
    const QDateTime local = moment.toLocalTime();
    return {local.date().year(), local.date().month(),  local.date().day(),
            local.time().hour(), local.time().minute(), local.time().second()};
}

}  // namespace rumo
