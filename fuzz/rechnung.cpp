// The invoice check on arbitrary page texts and an arbitrary parameter record. Whatever stands on
// the page, the check ends with true, false after a message, or the runtime's conversion message;
// after true the sums add up, every quantity and price field holds a normalised number, "Fehler"
// or nothing, and a second check of what the first one left gives the same sums.
//
// Input: one byte of choices; the parameter record (2642 bytes) or just the text of its VAT rate
// up to a line break; then, one a line, the delivery region, the three costs and the quantity
// and price of the 25 lines (Windows-1252).
#include "Fuzzhilfe.h"

#include "app/TFKB_Formular.h"
#include "data/Windows1252.h"

#include <cmath>
#include <cstring>

using namespace fkb;
using namespace fkb::fuzz;

namespace {

// A number as the check writes it: blanks in front, digits grouped by full stops, a comma and
// exactly `nachkomma` decimals.
bool normalisiert(std::string_view text, std::size_t nachkomma) {
    const std::size_t anfang = text.find_first_not_of(' ');
    if (anfang == std::string_view::npos)
        return false;
    const std::string_view zahl = text.substr(anfang);
    const std::size_t komma = zahl.find(',');
    if (komma == std::string_view::npos || zahl.size() - komma - 1 != nachkomma || komma == 0)
        return false;
    for (std::size_t i = 0; i < zahl.size(); ++i) {
        const char c = zahl[i];
        // From the comma backwards, every fourth character is the full stop between thousands.
        const bool trenner = i < komma && (komma - i) % 4 == 0;
        if (i == komma ? c != ',' : trenner ? c != '.' : (c < '0' || c > '9'))
            return false;
    }
    return zahl.front() != '.';
}

bool feldInOrdnung(const std::string& text, std::size_t breite, std::size_t nachkomma) {
    if (text.empty())
        return true;
    if (text.size() < breite)
        return false;
    return text.ends_with(" Fehler") || normalisiert(text, nachkomma);
}

// A price typed with digits whose value is 0 keeps its text, or its first 15 characters.
bool getippteNull(const std::string& text) {
    return text.find_first_of("123456789") == std::string::npos;
}

bool gleich(const RechnungsSummen& a, const RechnungsSummen& b) {
    return a.NettoWert == b.NettoWert && a.UstWert == b.UstWert && a.BruttoWert == b.BruttoWert &&
           a.VersandKosten == b.VersandKosten && a.NachnameKosten == b.NachnameKosten &&
           a.SonstigeKosten == b.SonstigeKosten;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    Eingabe eingabe(daten, groesse);
    const std::uint8_t wahl = eingabe.byte();
    DatenSatz parameter = vorspann()[0];
    if (wahl & 1) {
        const std::string_view bytes = eingabe.bytes(DatenSatz::Groesse);
        parameter = DatenSatz{};
        std::memcpy(parameter.bytes.data(), bytes.data(), bytes.size());
    } else {
        // The rate as stored, its length byte as it comes: a damaged one may exceed the field.
        const std::string_view satz = eingabe.zeile();
        const Feld ust = SatzFeld::Menge(1);
        parameter.bytes[ust.offset] = static_cast<unsigned char>(std::min<std::size_t>(satz.size(), 255));
        std::memcpy(&parameter.bytes[ust.offset + 1], satz.data(), std::min<std::size_t>(satz.size(), ust.kapazitaet));
    }
    const std::string pfad = dateiSchreiben(
        "rechnung.fba", std::string_view(reinterpret_cast<const char*>(parameter.bytes.data()), DatenSatz::Groesse));

    StillePlattform p;
    TFKB_Formular f(p);
    f.DateiName = pfad;
    for (Steuerelement* feld : {&f.LieferKennzeichen, &f.VersandKosten, &f.NachnameKosten, &f.SonstigeKosten})
        feld->text = ausWindows1252(eingabe.zeile());
    for (int k = 0; k < AnzahlZeilen; ++k) {
        f.Menge[std::size_t(k)].text = ausWindows1252(eingabe.zeile());
        f.Preis[std::size_t(k)].text = ausWindows1252(eingabe.zeile());
    }

    bool berechnet = false;
    f.ausfuehren([&] { berechnet = f.RechnungPruefen(); });
    if (!berechnet)
        return 0;
    const RechnungsSummen summen = f.Summen;
    FKB_PRUEFEN(std::isfinite(summen.NettoWert) && summen.NettoWert >= 0);
    FKB_PRUEFEN(std::isfinite(summen.UstWert) && summen.UstWert >= 0);
    FKB_PRUEFEN(summen.BruttoWert == summen.NettoWert + summen.UstWert);
    FKB_PRUEFEN(f.LieferKennzeichen.text == "B" || summen.UstWert == 0);
    for (int k = 0; k < AnzahlZeilen; ++k) {
        FKB_PRUEFEN(feldInOrdnung(f.Menge[std::size_t(k)].text, 7, 1));
        const std::string& preis = f.Preis[std::size_t(k)].text;
        FKB_PRUEFEN(feldInOrdnung(preis, 10, 2) || getippteNull(preis) ||
                    f.Menge[std::size_t(k)].text.ends_with("Fehler"));
        FKB_PRUEFEN(f.Wert[std::size_t(k)].text.empty() || normalisiert(f.Wert[std::size_t(k)].text, 2));
    }
    FKB_PRUEFEN(normalisiert(f.Summe_Positionen.text, 2));

    // What the check left on the page checks again to the same sums. Only a price beside a rejected
    // quantity went unchecked; now that quantity is empty, the price is checked and may fail.
    bool ungeprueftePreise = false;
    for (const Steuerelement& menge : f.Menge)
        ungeprueftePreise |= menge.text.ends_with("Fehler");
    bool nochmals = false;
    f.ausfuehren([&] { nochmals = f.RechnungPruefen(); });
    FKB_PRUEFEN(nochmals ? gleich(f.Summen, summen) : ungeprueftePreise);
    return 0;
}
