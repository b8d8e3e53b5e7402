// "Setzen Rechnungs-KZ auf bezahlt": the invoice of the chosen query line becomes a paid one.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "printing/Fahndungstexte.h"

namespace fkb {

void TFKB_Formular::BitBtnSetzenRKZClick() {
    // Only record lines count: the sums line lies behind them.
    const int ausgewaehlt = ListeFahndung.auswahl;
    if (ausgewaehlt < 0 || std::uint32_t(ausgewaehlt) >= FahndungsAnzahl ||
        std::size_t(ausgewaehlt) >= ListeFahndung.zeilen.size())
        return;
    const std::string zeile = ListeFahndung.zeilen[std::size_t(ausgewaehlt)];
    // The key ends the line; a name that itself holds "~~~" must not hide it.
    const auto trenner = zeile.rfind("~~~");
    if (trenner == std::string::npos) {
        plattform.fehlerMelden(
            "LogikFehler - kein Schlüssel ermittelbar!\rListBoxFahndung untersuchen auf ~~~ im Satz!");
        return;
    }
    const int nummer = textZuInt(std::string_view(zeile).substr(trenner + 3));

    // The list keeps its lines while the file may change underneath (compacted, written by another
    // program, another file opened): only the invoice that the line names is written. Locked from the
    // reading to the writing, so that no other program stores the record in between.
    // No message box is shown while the lock is held.
    bool passt;
    {
        const DatenDatei datei(DateiName, Sperrart::Schreiben);
        DatenSatz satz;
        passt = nummer >= 0 && nummer < datei.anzahlSaetze();
        if (passt)
            datei.lesen(nummer, satz);
        passt = passt && satz.zeichen(SatzFeld::RechnungsKennZeichen) == Kennzeichen::Rechnung &&
                zeileNenntSatz(zeile, satz);
        if (passt) {
            // Every other byte of the record, its system stamp included, stays as stored.
            Puffer = satz;
            Puffer.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Bezahlt);
            Puffer.setzeText(SatzFeld::ZahlungsEingang, plattform.jetzt().datumText());
            datei.schreiben(nummer, Puffer);
        }
    }
    if (!passt) {
        plattform.fehlerMelden("LogikFehler - Satz in Datei passt nicht zur Zeile der Fahndung!\r"
                               "Fahndung neu starten, dann Rechnung erneut wählen!");
        return;
    }
    // The list no longer matches the file.
    BitBtnDruckFahndung.aktiv = false;
}

} // namespace fkb
