#include "prozess/Prozess.h"
#include "ui/Hauptfenster.h"
#include "ui/QtPlattform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    fkb::prozessEinrichten();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fakturbuch (FKB)"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Qt's own dialogs in German where the translations are installed.
    QTranslator qtTexte;
    if (qtTexte.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexte);

    fkb::ui::QtPlattform plattform;
    fkb::TFKB_Formular formular(plattform);
    fkb::ui::Hauptfenster fenster(formular);
    plattform.fenster = &fenster;
    fenster.starten();
    if (formular.Beendet)
        return 0;
    fenster.show();
    return app.exec();
}
