#include "prozess/Prozess.h"
#include "ui/Hauptfenster.h"
#include "ui/Programmstart.h"
#include "ui/QtPlattform.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstring>

namespace {

// --version and --help answer on the terminal and end before any window (or display) is needed.
bool nurAuskunft(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Fakturbuch (FKB) %s\n", FKB_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Aufruf: fakturbuch [DATEI.fba]\n"
                        "Fakturbuch (FKB): Kunden, Angebote und Rechnungen für den kleinen Handwerksbetrieb.\n\n"
                        "  DATEI.fba   öffnet diese Datendatei nach der Begrüßungsfrage\n"
                        "  --help      zeigt diese Hilfe und endet\n"
                        "  --version   zeigt die Version und endet\n\n"
                        "Die Bedienung erklärt das Handbuch im Programm: Hilfe - FKB-Hilfe (F1).\n");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (nurAuskunft(argc, argv))
        return 0;
    fkb::prozessEinrichten();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fakturbuch (FKB)"));
    QApplication::setApplicationVersion(QStringLiteral(FKB_VERSION));
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
