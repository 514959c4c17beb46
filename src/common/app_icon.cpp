#include "common/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace rumo {

namespace {

// A door sign hanging from a nail with a red question mark: "where did they go?".
QPixmap drawSign(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const bool tiny = size < 24;  // no room for the string at the smallest sizes

    const QRectF board =
        tiny ? QRectF(0.5, 0.5, s - 1, s - 1) : QRectF(s * 0.06, s * 0.30, s * 0.88, s * 0.66);
    if (!tiny) {
        QPen string(QColor(90, 60, 30), s / 24.0);
        painter.setPen(string);
        painter.drawLine(QPointF(s * 0.5, s * 0.08), QPointF(board.left() + s * 0.18, board.top()));
        painter.drawLine(QPointF(s * 0.5, s * 0.08),
                         QPointF(board.right() - s * 0.18, board.top()));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(60, 60, 60));
        painter.drawEllipse(QPointF(s * 0.5, s * 0.08), s / 18.0, s / 18.0);
    }

    QLinearGradient wood(board.topLeft(), board.bottomLeft());
    wood.setColorAt(0, QColor(255, 252, 240));
    wood.setColorAt(1, QColor(236, 226, 200));
    painter.setBrush(wood);
    painter.setPen(QPen(QColor(40, 60, 110), qMax(1.0, s / 20.0)));
    painter.drawRoundedRect(board, s / 8.0, s / 8.0);

    QFont font(QStringLiteral("IPAPGothic"));
    font.setBold(true);
    font.setPixelSize(qMax(8, static_cast<int>(board.height() * 0.85)));
    painter.setFont(font);
    painter.setPen(QColor(210, 30, 30));
    painter.drawText(board, Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

}  // namespace

// Drawn rather than loaded, so every size a desktop asks for is sharp.
QIcon appIcon() {
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 22, 24, 32, 48, 64, 128}) {
            sizes.addPixmap(drawSign(size));
        }
        return sizes;
    }();
    return icon;
}

}  // namespace rumo
