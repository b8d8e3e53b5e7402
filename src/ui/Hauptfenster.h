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
    // Opens a data file as "Öffnen..." does with the path chosen in its dialog.
    void dateiOeffnen(const QString& pfad);
    Bindung& bindung() { return *bindung_; }

    // Where the window starts on a screen whose free area is `frei`: 1163 × 840 inside, or smaller
    // so that it fits with its title bar and frame, centred.
    static QRect startGeometrie(const QRect& frei);

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void menueBauen();
    void werkzeugleisteBauen();
    void statusleisteBauen();
    QWidget* mitteBauen();

    TFKB_Formular& formular_;
    Bindung* bindung_;
};

} // namespace fkb::ui
