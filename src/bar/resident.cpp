#include "bar/resident.h"

#include <QApplication>
#include <QLabel>

namespace rumo {

// Stands in for the destination bar until it exists: a small window that ends the process when
// closed.
int runResidentBar(SettingsStore& /*store*/) {
    QLabel window(QStringLiteral("RUMO?"));
    window.setWindowTitle(QStringLiteral("RUMO?"));
    window.show();
    return QApplication::exec();
}

}  // namespace rumo
