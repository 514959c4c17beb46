// The version box, built from template 134: the program's icon, its version line and OK.
#pragma once

#include <QDialog>

namespace rumo {

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace rumo
