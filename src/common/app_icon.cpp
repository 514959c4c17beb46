#include "common/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace rumo {

QImage renderAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer drawing(QStringLiteral(":/icons/rumo.svg"));
    QPainter painter(&image);
    drawing.render(&painter);
    return image;
}

QIcon appIcon() {
    static const QIcon icon = [] {
        QIcon drawn;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            drawn.addPixmap(QPixmap::fromImage(renderAppIcon(size)));
        }
        return QIcon::fromTheme(QString::fromLatin1(kAppIconName), drawn);
    }();
    return icon;
}

}  // namespace rumo
