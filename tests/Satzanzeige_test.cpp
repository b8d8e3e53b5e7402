#include "SatzBau.h"
#include "data/Windows1252.h"

#include <gtest/gtest.h>

using namespace fkb;
using namespace fkb::test;

namespace {

struct Feldzeile {
    const char* name;
    Feld feld;
    const char* platzhalter;
};

// Page fields that show one record field, with the text an empty form puts there.
const std::vector<Feldzeile> feldzeilen = {
    {"KundenNummer", SatzFeld::KundenNummer, "Ku.-Nr."},
    {"Anrede", SatzFeld::Anrede, "Herr"},
    {"Firma", SatzFeld::Firma, "Firma"},
    {"Name", SatzFeld::Name, "Name"},
    {"Vorname", SatzFeld::Vorname, "Vorname"},
    {"Zusatz", SatzFeld::Zusatz, "Zusatz"},
    {"Strasse", SatzFeld::Strasse, "Strasse"},
    {"Nummer", SatzFeld::Nummer, "Nr."},
    {"PLZ", SatzFeld::PLZ, "PLZ"},
    {"Ort", SatzFeld::Ort, "Ort"},
    {"Land", SatzFeld::Land, "Land"},
    {"Telephon", SatzFeld::Telephon, "Telephon"},
    {"Fax", SatzFeld::Fax, "Fax / Mobil"},
    {"Mail", SatzFeld::Mail, "Mail"},
    {"InternetAdresse", SatzFeld::InternetAdresse, "InternetAdresse"},
    {"Fahrzeug", SatzFeld::Fahrzeug, "Fahrzeug"},
    {"Bemerkung", SatzFeld::Bemerkung, "Bemerkung"},
    {"RechnungsNummer", SatzFeld::RechnungsNummer, "Re-Nr."},
    {"ZahlungsEingang", SatzFeld::ZahlungsEingang, "ZahlungsEingang"},
    {"ZolltarifNummer", SatzFeld::ZolltarifNummer, "Zolltarif-Nr. / Ust-IDN"},
    {"LeistungsDatum", SatzFeld::LeistungsDatum, "Leist.Dat."},
    {"RechnungsDatum", SatzFeld::RechnungsDatum, "Rechn.Dat."},
    {"VersandKosten", SatzFeld::VersandKosten, "V-Kos."},
    {"NachnameKosten", SatzFeld::NachnameKosten, "N-Kos."},
    {"SonstigeKosten", SatzFeld::SonstigeKosten, "S-Kos."},
    {"BezeichnungSonstigeKosten", SatzFeld::BezeichnungSonstigeKosten, "Bezeichnung Sonstige Kosten"},
};

// A distinct stored value for each field, as long as the field allows.
std::string wertFuer(const Feldzeile& s) {
    return std::string(ersteZeichen("ä" + std::string(s.name) + "\r2", s.feld.kapazitaet));
}

// The 25 rows' texts of one kind ("Position", "ME", …), joined.
std::string zeilen(Fenster& w, const std::string& art) {
    std::string texte;
    for (int k = 1; k <= 25; ++k)
        texte += w.text(art + zeilenNummer(k)) + "|";
    return texte;
}

// The total fields and the VAT caption, joined.
std::string summen(Fenster& w) {
    return w.text("Summe_Positionen") + "|" + w.text("WertUst") + "|" + w.text("WertBrutto") + "|" + w.text("PanelUst");
}

std::string seitenleiste(Fenster& w) {
    return w.text("AnzeigeName") + "|" + w.text("AnzeigeVorname") + "|" + w.text("AnzeigeKundenNummer") + "|" +
           w.text("AnzeigeRechnungsNummer");
}

} // namespace

TEST(Satzanzeige, ZeigtJedesFeldWieGespeichert) {
    Fenster w;
    DatenSatz s;
    for (const Feldzeile& f : feldzeilen)
        s.setzeText(f.feld, wertFuer(f));
    s.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Parameter);
    s.setzeZeichen(SatzFeld::LieferKennzeichen, 'D');
    s.setzeText(SatzFeld::SystemStempelDatum, "01.02.2024");
    s.setzeText(SatzFeld::SystemStempelZeit, "13:45:10");
    std::string erwartet[4];
    for (int k = 1; k <= 25; ++k) {
        std::string nr = zeilenNummer(k);
        const std::string texte[4] = {"Position " + nr, "m" + nr, "  " + nr + ",0", "    " + nr + ",50"};
        const Feld felder[4] = {SatzFeld::Position(k), SatzFeld::ME(k), SatzFeld::Menge(k), SatzFeld::Preis(k)};
        for (int i = 0; i < 4; ++i) {
            s.setzeText(felder[i], texte[i]);
            erwartet[i] += texte[i] + "|";
        }
        w.f.finden("Wert" + nr)->text = "1.234,00"; // from an earlier calculation
    }
    w.f.PanelUst.text = "19,0 %";
    w.f.Puffer = s;
    w.f.SatzAnzeigen();

    for (const Feldzeile& f : feldzeilen)
        EXPECT_EQ(w.text(f.name), wertFuer(f)) << f.name;
    EXPECT_EQ(w.text("RechnungsKennZeichen") + w.text("LieferKennzeichen"), "PD");
    EXPECT_EQ(w.text("SystemStempel"), "01.02.2024 / 13:45:10");
    EXPECT_EQ(zeilen(w, "Position"), erwartet[0]);
    EXPECT_EQ(zeilen(w, "ME"), erwartet[1]);
    EXPECT_EQ(zeilen(w, "Menge"), erwartet[2]);
    EXPECT_EQ(zeilen(w, "Preis"), erwartet[3]);
    EXPECT_EQ(zeilen(w, "Wert"), std::string(25, '|')) << "values are not computed on display";
    EXPECT_EQ(summen(w), "Summe Positionen|UmsatzSteuer|Wert brutto|UmsatzSteuer");
    EXPECT_EQ(seitenleiste(w), "äName\r2|äVorname\r2|äKund|äRechn");
    EXPECT_EQ(w.f.Puffer, s);

    // An empty record: empty kind letters, the bare stamp separator.
    w.f.Puffer = DatenSatz{};
    w.f.SatzAnzeigen();
    EXPECT_EQ(w.text("RechnungsKennZeichen") + w.text("LieferKennzeichen") + w.text("Name"), "");
    EXPECT_EQ(w.text("SystemStempel"), " / ");
    EXPECT_EQ(seitenleiste(w), "|||");
}

TEST(Satzanzeige, ZuruecksetzenSetztPlatzhalter) {
    Fenster w;
    w.f.Puffer = kunde("00001", "Kunde", "Karl", "000051");
    w.f.SatzAnzeigen();
    const DatenSatz vorher = w.f.Puffer;
    for (int k = 1; k <= 25; ++k)
        w.f.finden("Wert" + zeilenNummer(k))->text = "9,99";
    w.p.uhr = {2027, 3, 4, 5, 6, 7};
    w.f.SeitenZuruecksetzen();

    for (const Feldzeile& f : feldzeilen)
        EXPECT_EQ(w.text(f.name), f.platzhalter) << f.name;
    EXPECT_EQ(w.text("RechnungsKennZeichen") + w.text("LieferKennzeichen"), "AB");
    EXPECT_EQ(w.text("SystemStempel"), "04.03.2027 / 05:06:07") << "the time of the reset";
    for (const char* art : {"Position", "ME", "Menge", "Preis", "Wert"})
        EXPECT_EQ(zeilen(w, art), std::string(25, '|')) << art;
    EXPECT_EQ(summen(w), "Wert netto|UmsatzSteuer|Wert brutto|UmsatzSteuer");
    EXPECT_EQ(seitenleiste(w), "Kunde|Karl|00001|000051") << "still tells which record the pages held";
    EXPECT_EQ(w.f.Puffer, vorher);
}

TEST(Satzanzeige, BedienungFreigebenSchaltetNurDieDateiabhaengigen) {
    // The controls that need a loaded file, between blanks.
    const std::string geschaltet = " Baum Speichern SpeichernUnter Loeschen EditSuchText SpeedButtonSpeichern "
                                   "SpeedButtonSpeichernUnter SpeedButtonLoeschen SpeedButtonPruefung BitBtnDruck "
                                   "BitBtnERechnung ERechnungExportieren BitBtnZUGFeRD ZUGFeRDExportieren "
                                   "PanelVorlageRechnung PanelVorlageKunde "
                                   "BitBtnStartFahndung ";
    Fenster w;
    auto sonstige = [&] {
        std::vector<std::pair<std::string, bool>> zustand;
        for (const Steuerelement* s : w.f.alle())
            if (geschaltet.find(" " + s->name + " ") == std::string::npos)
                zustand.emplace_back(s->name, s->aktiv);
        return zustand;
    };
    const auto vorher = sonstige();
    for (bool an : {true, false, true}) {
        w.f.Name.text = "getippt";
        w.f.BedienungFreigeben(an);
        int anzahl = 0;
        for (const Steuerelement* s : w.f.alle()) {
            if (geschaltet.find(" " + s->name + " ") != std::string::npos) {
                EXPECT_EQ(s->aktiv, an) << s->name;
                ++anzahl;
            }
        }
        EXPECT_EQ(anzahl, 17);
        EXPECT_EQ(sonstige(), vorher) << "Beenden and everything else untouched";
        EXPECT_EQ(w.text("Name"), "Name") << "the pages are reset";
    }
}
