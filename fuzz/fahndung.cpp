// The period query on arbitrary records and calendar dates. The query takes its totals straight
// from the records and goes through the pages only for a record the calculation would complain
// about; going through the pages for every record must give the same messages, list, sums and
// final state. Then one listed invoice is marked paid: the file changes in that record's kind and
// payment date, nowhere else.
//
// Input: two dates (two bytes year, a byte month, a byte day each), a byte for the kind letter, a
// byte of choices; the parameter record when chosen; then the customer records. The templates in
// front of them are those of a new file.
#include "Fuzzhilfe.h"

#include "app/TFKB_Formular.h"
#include "printing/Fahndung.h"

#include <cstring>

using namespace fkb;
using namespace fkb::fuzz;

namespace {

Zeitpunkt datum(Eingabe& eingabe) {
    const int jahr = 1 + ((eingabe.byte() << 8) | eingabe.byte()) % 9999;
    const int monat = 1 + eingabe.byte() % 12;
    const bool schalt = (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
    const int tage[] = {31, schalt ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return {jahr, monat, 1 + eingabe.byte() % tage[monat - 1]};
}

struct Lauf {
    StillePlattform p;
    TFKB_Formular f{p};
};

void fragen(Lauf& lauf, const std::string& pfad, const Zeitpunkt& von, const Zeitpunkt& bis, const char* art,
            Rechenweg weg) {
    lauf.f.starten();
    lauf.f.DateiName = pfad;
    lauf.f.KalenderVon = von;
    lauf.f.KalenderBis = bis;
    lauf.f.FahndungsRechnungsKennZeichen.text = art;
    lauf.p.meldungen.clear();
    lauf.f.ausfuehren([&] { fahndungStarten(lauf.f, weg); });
}

// Every control, the lists, the counters, the sums and the record buffer.
bool gleicherZustand(const TFKB_Formular& a, const TFKB_Formular& b) {
    const auto sa = a.alle(), sb = b.alle();
    for (std::size_t i = 0; i < sa.size(); ++i)
        if (sa[i]->text != sb[i]->text || sa[i]->aktiv != sb[i]->aktiv || sa[i]->sichtbar != sb[i]->sichtbar ||
            sa[i]->haken != sb[i]->haken)
            return false;
    const RechnungsSummen &x = a.Summen, &y = b.Summen;
    return sa.size() == sb.size() && a.ListeFahndung.zeilen == b.ListeFahndung.zeilen &&
           a.ListeObjekt.zeilen == b.ListeObjekt.zeilen && a.FahndungsAnzahl == b.FahndungsAnzahl &&
           x.NettoWert == y.NettoWert && x.UstWert == y.UstWert && x.BruttoWert == y.BruttoWert &&
           x.VersandKosten == y.VersandKosten && x.NachnameKosten == y.NachnameKosten &&
           x.SonstigeKosten == y.SonstigeKosten && a.Puffer == b.Puffer && a.ParameterPuffer == b.ParameterPuffer;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    Eingabe eingabe(daten, groesse);
    const Zeitpunkt von = datum(eingabe), bis = datum(eingabe);
    static const char* const arten[] = {"A", "R", "B"};
    const char* art = arten[eingabe.byte() % 3];
    const std::uint8_t wahl = eingabe.byte();

    std::string datei;
    for (const DatenSatz& s : vorspann())
        datei.append(reinterpret_cast<const char*>(s.bytes.data()), DatenSatz::Groesse);
    if (wahl & 1) {
        const std::string_view parameter = eingabe.bytes(DatenSatz::Groesse);
        std::memcpy(datei.data(), parameter.data(), parameter.size());
    }
    datei += eingabe.rest();
    const std::string pfad = dateiSchreiben("fahndung.fba", datei);

    Lauf direkt, seiten;
    fragen(direkt, pfad, von, bis, art, Rechenweg::Direkt);
    fragen(seiten, pfad, von, bis, art, Rechenweg::Seiten);
    FKB_PRUEFEN(direkt.p.meldungen == seiten.p.meldungen);
    FKB_PRUEFEN(gleicherZustand(direkt.f, seiten.f));
    FKB_PRUEFEN(dateiLesen(pfad) == datei);

    // Marking one listed invoice paid rewrites that record alone.
    TFKB_Formular& f = direkt.f;
    if (!f.BitBtnSetzenRKZ.aktiv || f.FahndungsAnzahl == 0)
        return 0;
    const int zeile = int(wahl % f.FahndungsAnzahl);
    const std::string text = f.ListeFahndung.zeilen[std::size_t(zeile)];
    const std::size_t nummer = std::stoul(text.substr(text.rfind("~~~") + 3));
    f.waehleFahndung(zeile);
    direkt.p.meldungen.clear();
    f.klick(f.BitBtnSetzenRKZ.name);
    FKB_PRUEFEN(direkt.p.meldungen.empty());
    std::string erwartet = datei;
    char* satz = erwartet.data() + nummer * DatenSatz::Groesse;
    satz[SatzFeld::RechnungsKennZeichen.offset] = Kennzeichen::Bezahlt;
    std::memcpy(satz + SatzFeld::ZahlungsEingang.offset,
                "\x0a"
                "08.12.2026",
                11);
    FKB_PRUEFEN(dateiLesen(pfad) == erwartet);
    return 0;
}
