#pragma once

#include "app/TFKB_Formular.h"

#include <QMainWindow>

namespace fkb::ui {

class Bindung;

// The main window: menu, tool bar, the four pages and the side column, bound to the core.
class Hauptfenster : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int Breite = 1163;
    static constexpr int Hoehe = 840;

    explicit Hauptfenster(TFKB_Formular& formular, QWidget* eltern = nullptr);

    // The creation of the window in the core (the welcome question); runs before it is shown.
    void starten();
    Bindung& bindung() { return *bindung_; }

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void menueBauen();
    void werkzeugleisteBauen();
    QWidget* mitteBauen();

    TFKB_Formular& formular_;
    Bindung* bindung_;
};

} // namespace fkb::ui
