#include "prozess/Prozess.h"
#include "ui/Hauptfenster.h"
#include "ui/Programmstart.h"
#include "ui/QtPlattform.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    fkb::prozessEinrichten();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fakturbuch (FKB)"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    fkb::ui::qtTexteLaden(app);
    const auto datei = fkb::ui::startDatei(QApplication::arguments());

    fkb::ui::QtPlattform plattform;
    fkb::TFKB_Formular formular(plattform);
    fkb::ui::Hauptfenster fenster(formular);
    plattform.fenster = &fenster;
    fenster.starten();
    if (formular.Beendet)
        return 0;
    fenster.show();
    if (datei)
        fenster.dateiOeffnen(*datei);
    return app.exec();
}
