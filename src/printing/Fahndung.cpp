// The period query: all offers, invoices or paid invoices whose date lies in the period of the
// two calendars, with net, VAT and gross per record and their sums.
#include "printing/Fahndung.h"

#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "printing/Direktsummen.h"
#include "printing/Fahndungstexte.h"

#include <array>

namespace fkb {
namespace {

// Records 0 to 50 are the parameter record and the templates; the query never looks at them.
constexpr std::int64_t ErsterKundensatz = 51;

struct Summenzeile {
    double netto = 0, ust = 0, brutto = 0;
};

class Fahndung {
public:
    Fahndung(TFKB_Formular& f, Rechenweg weg) : f_(f), weg_(weg) {}
    void starten();

private:
    // false when the invoice calculation of a record failed and the query stops.
    bool durchsuchen(const std::string& von, const std::string& bis);
    bool werteErmitteln(const DatenSatz& satz, std::int64_t nummer, UstVorrat& ust);
    void seitenNachholen();
    void listeOrdnen();

    TFKB_Formular& f_;
    Rechenweg weg_;
    Summenzeile summe_;
    // The record the pages show through the page path, and the record listed last: where the query
    // ends on an error, the pages must show what the page path would have left there.
    std::int64_t seitenSatz_ = -1;
    std::int64_t gelistet_ = -1;
    bool parameterGelesen_ = false;
};

void Fahndung::starten() {
    const std::string von = datumsSchluessel(f_.KalenderVon.datumText());
    const std::string bis = datumsSchluessel(f_.KalenderBis.datumText());
    if (bis < von) {
        f_.plattform.fehlerMelden("BedienFehler - Abfragezeitraum falsch gewählt!\rDaten in Kalendern neu wählen!");
        return;
    }
    if (f_.hinweisModus() && !f_.plattform.bestaetigen("Wichtig! Vor der Fahndung sollte der zuletzt\r"
                                                       "bearbeitete DatenSatz gespeichert sein -\r"
                                                       "\"Neu\" oder \"Überschreiben\" anwenden!\r"
                                                       "\r"
                                                       "Soll Fahndung gestartet werden?"))
        return;

    f_.ListeFahndung.leeren();
    f_.FahndungsAnzahl = 0;
    f_.FahndungsZeitraum = f_.KalenderVon.datumText() + "-" + f_.KalenderBis.datumText();
    f_.Satz_Speichern.aktiv = false;
    f_.Satz_Loeschen.aktiv = false;
    // Until the list is complete with its sums line it can be neither printed nor marked: a query
    // that stops leaves both commands off.
    f_.BitBtnDruckFahndung.aktiv = false;
    f_.BitBtnSetzenRKZ.aktiv = false;
    f_.PanelFahndungAnzeige.text = fahndungsKopf(f_.FahndungsRechnungsKennZeichen.text);

    // The boxes of records that take the page path wait until the file is let go: one the user leaves
    // open would keep other programs from writing all that time.
    bool fertig;
    f_.stau.halten();
    try {
        fertig = durchsuchen(von, bis);
    } catch (...) {
        f_.stau.freigeben();
        seitenNachholen();
        listeOrdnen();
        throw;
    }
    f_.stau.freigeben();
    if (!fertig) {
        listeOrdnen();
        return;
    }

    const std::uint32_t anzahl = f_.FahndungsAnzahl;
    f_.PanelAnzahlFahndungsSaetze.text = "Anzahl FahndungsSätze: " + std::to_string(anzahl);
    if (anzahl > 0)
        f_.ListeFahndung.zeilen.push_back(summenZeile(summe_.netto, summe_.ust, summe_.brutto));
    f_.BitBtnDruckFahndung.aktiv = anzahl > 0;
    f_.BitBtnSetzenRKZ.aktiv = anzahl > 0 && f_.FahndungsRechnungsKennZeichen.text == "R";
    listeOrdnen();

    f_.SeitenZuruecksetzen();
    f_.AnzeigeName.text = "Name";
    f_.AnzeigeVorname.text = "Vorname";
    f_.AnzeigeKundenNummer.text = "Ku-Nr.";
    f_.AnzeigeRechnungsNummer.text = "Re-Nr.";
}

bool Fahndung::durchsuchen(const std::string& von, const std::string& bis) {
    const std::string& art = f_.FahndungsRechnungsKennZeichen.text;
    const Feld datumsFeld = fragtRechnungsDatum(art) ? SatzFeld::RechnungsDatum : SatzFeld::ZahlungsEingang;

    SatzLeser leser(f_.DateiName);
    f_.ListeFahndung.zeilen.reserve(leser.erwartet());
    // The record buffer ends up holding the last record read, as if each had passed through it.
    const DatenSatz* satz = nullptr;
    struct Zuletzt {
        TFKB_Formular& f;
        const DatenSatz* satz = nullptr;
        ~Zuletzt() {
            if (satz)
                f.Puffer = *satz;
        }
    } zuletzt{f_};

    DatenSatz parameterSatz;
    for (std::int64_t i = 0; i < ErsterKundensatz; ++i) {
        if (!(satz = leser.naechster()))
            throw EAFehler::hinterDemDateiende();
        if (i == 0)
            parameterSatz = *satz;
        zuletzt.satz = satz;
    }
    UstVorrat ust(parameterSatz);

    // Which kind bytes stand for the chosen letter, as the one-letter text each is.
    std::array<bool, 256> gesucht{};
    DatenSatz probe;
    for (int b = 0; b < 256; ++b) {
        probe.setzeZeichen(SatzFeld::RechnungsKennZeichen, char(b));
        gesucht[std::size_t(b)] =
            b != Kennzeichen::Geloescht && probe.zeichenText(SatzFeld::RechnungsKennZeichen) == art;
    }
    char puffer[8];
    for (std::int64_t nummer = ErsterKundensatz; (satz = leser.naechster()); ++nummer) {
        zuletzt.satz = satz;
        if (!gesucht[static_cast<unsigned char>(satz->zeichen(SatzFeld::RechnungsKennZeichen))])
            continue;
        const std::string_view schluessel = datumsSchluessel(satz->roh(datumsFeld), puffer);
        if (schluessel < von || schluessel > bis)
            continue;
        if (!werteErmitteln(*satz, nummer, ust)) {
            f_.plattform.fehlerMelden("Fehler - Fahndung wird abgebrochen!\rNumerische Daten prüfen!");
            return false;
        }

        fahndungsZeile(*satz, schluessel, f_.Summen, nummer, f_.ListeFahndung.zeilen);
        summe_.netto += f_.Summen.NettoWert;
        summe_.ust += f_.Summen.UstWert;
        summe_.brutto += f_.Summen.BruttoWert;
        ++f_.FahndungsAnzahl;
        gelistet_ = nummer;
    }
    return true;
}

// The totals of one record into RechnungsSummen; false after the calculation's messages.
bool Fahndung::werteErmitteln(const DatenSatz& satz, std::int64_t nummer, UstVorrat& ust) {
    if (weg_ == Rechenweg::Direkt) {
        if (std::optional<RechnungsSummen> werte = direkteSummen(satz, ust)) {
            // The calculation reads record 0 into the parameter buffer wherever it charges VAT.
            if (ust.gebraucht() && !parameterGelesen_) {
                f_.ParameterPuffer = ust.parameterSatz();
                parameterGelesen_ = true;
            }
            f_.Summen = *werte;
            return true;
        }
    }
    f_.Puffer = satz;
    seitenSatz_ = nummer;
    f_.SatzAnzeigen();
    return f_.RechnungPruefen();
}

// A query ended by an error shows on the pages the record it calculated last. Where that record
// was computed straight from the file, it is shown and calculated now; an error on the way is the
// one already being reported.
void Fahndung::seitenNachholen() {
    if (gelistet_ <= seitenSatz_)
        return;
    const DatenSatz gelesen = f_.Puffer; // the record read last stays in the buffer
    try {
        DatenDatei(f_.DateiName).lesen(gelistet_, f_.Puffer);
        f_.SatzAnzeigen();
        f_.RechnungPruefen();
    } catch (const std::exception&) {
    }
    f_.Puffer = gelesen;
}

// In plain text order, as the list box keeps its items.
void Fahndung::listeOrdnen() {
    f_.ListeFahndung.zeilen.sortieren();
    ++f_.ListeFahndung.stand;
}

} // namespace

void fahndungStarten(TFKB_Formular& f, Rechenweg weg) {
    Fahndung(f, weg).starten();
}

void TFKB_Formular::ButtonFahndungAClick() {
    FahndungsRechnungsKennZeichen.text = "A";
}
void TFKB_Formular::ButtonFahndungRClick() {
    FahndungsRechnungsKennZeichen.text = "R";
}
void TFKB_Formular::ButtonFahndungBClick() {
    FahndungsRechnungsKennZeichen.text = "B";
}

void TFKB_Formular::BitBtnStartFahndungClick() {
    fahndungStarten(*this, Rechenweg::Direkt);
}

} // namespace fkb
