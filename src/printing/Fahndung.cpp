// The period query: all offers, invoices or paid invoices whose date lies in the period of the
// two calendars, with net, VAT and gross per record and their sums.
#include "printing/Fahndung.h"

#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "printing/Direktsummen.h"
#include "printing/Fahndungstexte.h"

#include <array>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace fkb {
namespace {

// Records 0 to 50 are the parameter record and the templates; the query never looks at them.
constexpr std::int64_t ErsterKundensatz = 51;

struct Summenzeile {
    double netto = 0, ust = 0, brutto = 0;
};

// Which records the query lists: the kind bytes that stand for the chosen letter, and the period.
struct Auswahl {
    std::array<bool, 256> art{};
    Feld datumsFeld;
    std::string von, bis;

    // The record's date key where it is listed; nothing where not. `puffer` holds the key.
    std::optional<std::string_view> schluessel(const DatenSatz& satz, char (&puffer)[8]) const {
        if (!art[static_cast<unsigned char>(satz.zeichen(SatzFeld::RechnungsKennZeichen))])
            return std::nullopt;
        const std::string_view s = datumsSchluessel(satz.roh(datumsFeld), puffer);
        if (s < von || s > bis)
            return std::nullopt;
        return s;
    }
};

// A long query's second half, read and calculated on a second core while the first half is done on
// the first: on a machine that copies a file fast, the calculation is what a user waits for. Only what
// the direct path computes is done there; a record it leaves to the pages (and their messages) is only
// marked, and the main thread takes everything over in file order, so messages, sums and list are
// those of one pass.
struct Haelfte {
    struct Eintrag {
        std::int64_t nummer;
        std::optional<RechnungsSummen> werte; // nothing: the pages' calculation decides
        bool ustGebraucht;                    // the VAT rate was needed up to here
    };
    bool brauchbar = false; // the very file of the first half, read from where it ends
    std::vector<Eintrag> eintraege;
    Zeilenliste zeilen;                // the lines of the entries with totals, in their order
    std::vector<DatenSatz> fuerSeiten; // the records of the entries without, in their order
    bool gelesen = false;
    DatenSatz letzter;         // the record read last
    std::exception_ptr fehler; // a read that failed after the entries

    void rechnen(const std::string& pfad, const Dateikennung& datei, std::int64_t ab, const Auswahl& auswahl,
                 const DatenSatz& parameterSatz) {
        try {
            SatzLeser leser(pfad, ab);
            if (!(leser.kennung() == datei))
                return;
            brauchbar = true;
            UstVorrat ust(parameterSatz);
            const DatenSatz* satz = nullptr;
            char puffer[8];
            try {
                for (std::int64_t nummer = ab;; ++nummer) {
                    const DatenSatz* naechster = leser.naechster();
                    if (!naechster)
                        break;
                    satz = naechster;
                    const std::optional<std::string_view> schluessel = auswahl.schluessel(*satz, puffer);
                    if (!schluessel)
                        continue;
                    std::optional<RechnungsSummen> werte;
                    try {
                        werte = direkteSummen(*satz, ust);
                    } catch (const std::exception&) {
                    }
                    if (werte)
                        fahndungsZeile(*satz, *schluessel, *werte, nummer, zeilen);
                    else
                        fuerSeiten.push_back(*satz);
                    eintraege.push_back({nummer, werte, ust.gebraucht()});
                }
            } catch (...) {
                fehler = std::current_exception();
            }
            if (satz) {
                letzter = *satz;
                gelesen = true;
            }
        } catch (...) {
            brauchbar = false; // not opened: the first half reads on
        }
    }
};

class Fahndung {
public:
    Fahndung(TFKB_Formular& f, Rechenweg weg, std::int64_t teilenAb) : f_(f), weg_(weg), teilenAb_(teilenAb) {}
    void starten();

private:
    // false when the invoice calculation of a record failed and the query stops.
    bool durchsuchen(const std::string& von, const std::string& bis);
    // One listed record in the order of the file: its totals, its line, the sums; false as above.
    bool aufnehmen(const DatenSatz& satz, std::string_view schluessel, std::int64_t nummer, UstVorrat& ust);
    // The record the query stopped at; nullptr where it took all.
    const DatenSatz* haelfteUebernehmen(const Haelfte& h, const Auswahl& auswahl, UstVorrat& ust);
    bool werteErmitteln(const DatenSatz& satz, std::int64_t nummer, UstVorrat& ust);
    void seitenNachholen();
    void listeOrdnen();

    TFKB_Formular& f_;
    Rechenweg weg_;
    std::int64_t teilenAb_;
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
    Auswahl auswahl{{}, fragtRechnungsDatum(art) ? SatzFeld::RechnungsDatum : SatzFeld::ZahlungsEingang, von, bis};
    // Which kind bytes stand for the chosen letter, as the one-letter text each is.
    DatenSatz probe;
    for (int b = 0; b < 256; ++b) {
        probe.setzeZeichen(SatzFeld::RechnungsKennZeichen, char(b));
        auswahl.art[std::size_t(b)] =
            b != Kennzeichen::Geloescht && probe.zeichenText(SatzFeld::RechnungsKennZeichen) == art;
    }

    Haelfte zweite; // outlives the buffer's last word below
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

    // A long file is shared out: the second half on a thread of its own, joined before anything of it
    // is used, whatever way this command ends.
    const std::int64_t kundensaetze = std::int64_t(leser.erwartet()) - ErsterKundensatz;
    std::int64_t grenze = INT64_MAX;
    std::jthread zweiter;
    if (weg_ == Rechenweg::Direkt && kundensaetze >= teilenAb_ && kundensaetze >= 2) {
        const std::int64_t mitte = ErsterKundensatz + kundensaetze / 2;
        try {
            zweiter = std::jthread([&, mitte, datei = leser.kennung()] {
                zweite.rechnen(f_.DateiName, datei, mitte, auswahl, parameterSatz);
            });
            grenze = mitte;
        } catch (const std::system_error&) {
        }
    }

    char puffer[8];
    std::int64_t nummer = ErsterKundensatz;
    auto weiterlesen = [&] {
        for (; nummer < grenze && (satz = leser.naechster()); ++nummer) {
            zuletzt.satz = satz;
            if (const std::optional<std::string_view> schluessel = auswahl.schluessel(*satz, puffer))
                if (!aufnehmen(*satz, *schluessel, nummer, ust))
                    return false;
        }
        return true;
    };
    if (!weiterlesen())
        return false;
    if (grenze == INT64_MAX)
        return true;
    zweiter.join();
    if (!zweite.brauchbar) {
        grenze = INT64_MAX;
        return weiterlesen();
    }
    if (zweite.gelesen)
        zuletzt.satz = &zweite.letzter;
    if (const DatenSatz* halt = haelfteUebernehmen(zweite, auswahl, ust)) {
        zuletzt.satz = halt;
        return false;
    }
    if (zweite.fehler)
        std::rethrow_exception(zweite.fehler);
    return true;
}

bool Fahndung::aufnehmen(const DatenSatz& satz, std::string_view schluessel, std::int64_t nummer, UstVorrat& ust) {
    if (!werteErmitteln(satz, nummer, ust)) {
        f_.plattform.fehlerMelden("Fehler - Fahndung wird abgebrochen!\rNumerische Daten prüfen!");
        return false;
    }
    fahndungsZeile(satz, schluessel, f_.Summen, nummer, f_.ListeFahndung.zeilen);
    summe_.netto += f_.Summen.NettoWert;
    summe_.ust += f_.Summen.UstWert;
    summe_.brutto += f_.Summen.BruttoWert;
    ++f_.FahndungsAnzahl;
    gelistet_ = nummer;
    return true;
}

// The second half's records in file order, as one pass would have taken them; a record its direct path
// left alone goes through the pages here.
const DatenSatz* Fahndung::haelfteUebernehmen(const Haelfte& h, const Auswahl& auswahl, UstVorrat& ust) {
    std::size_t zeile = 0, seite = 0;
    char puffer[8];
    for (const Haelfte::Eintrag& e : h.eintraege) {
        if (!e.werte) {
            const DatenSatz& satz = h.fuerSeiten[seite++];
            if (!aufnehmen(satz, *auswahl.schluessel(satz, puffer), e.nummer, ust))
                return &satz;
            continue;
        }
        if (e.ustGebraucht && !parameterGelesen_) {
            f_.ParameterPuffer = ust.parameterSatz();
            parameterGelesen_ = true;
        }
        f_.Summen = *e.werte;
        const Zeilenliste::Teile t = h.zeilen.teile(zeile++);
        f_.ListeFahndung.zeilen.anfuegen(t.vorn, t.leer, t.hinten);
        summe_.netto += f_.Summen.NettoWert;
        summe_.ust += f_.Summen.UstWert;
        summe_.brutto += f_.Summen.BruttoWert;
        ++f_.FahndungsAnzahl;
        gelistet_ = e.nummer;
    }
    return nullptr;
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

void fahndungStarten(TFKB_Formular& f, Rechenweg weg, std::int64_t teilenAb) {
    Fahndung(f, weg, teilenAb).starten();
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
