#pragma once

#include <QDialog>

namespace fkb::ui {

// The information dialog: a picture, the makers' contact lines and a line about the system.
class InfoForm : public QDialog {
    Q_OBJECT
public:
    explicit InfoForm(QWidget* eltern = nullptr);

    static QPixmap bild(QSize groesse);
};

} // namespace fkb::ui
