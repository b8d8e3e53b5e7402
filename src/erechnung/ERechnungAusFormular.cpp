#include "erechnung/ERechnungAusFormular.h"

#include "app/TFKB_Formular.h"

namespace fkb {
namespace {

// The text of a page field, empty while it shows the placeholder that a reset put there.
std::string seitenText(const TFKB_Formular& f, Steuerelement Bedienelemente::*feld) {
    const Steuerelement& s = f.*feld;
    return s.text == s.starttext ? std::string() : s.text;
}

ERechnungVerkaeufer verkaeuferLesen(const DatenSatz& p) {
    using namespace SatzFeld;
    ERechnungVerkaeufer v;
    v.Firma = p.text(Firma);
    v.Vorname = p.text(Vorname);
    v.Name = p.text(Name);
    v.Strasse = p.text(Strasse);
    v.Nummer = p.text(Nummer);
    v.PLZ = p.text(PLZ);
    v.Ort = p.text(Ort);
    v.Land = p.text(Land);
    v.Telephon = p.text(Telephon);
    v.Fax = p.text(Fax);
    v.Mail = p.text(Mail);
    for (std::size_t i = 0; i < v.Fusszeilen.size(); ++i)
        v.Fusszeilen[i] = p.text(Position(int(i) + 2));
    v.UstSatz = p.text(Menge(1));
    return v;
}

ERechnungKaeufer kaeuferLesen(const TFKB_Formular& f) {
    using B = Bedienelemente;
    ERechnungKaeufer k;
    k.Anrede = f.Anrede.text; // its placeholder "Herr" is a salutation like any other
    k.Zusatz = seitenText(f, &B::Zusatz);
    k.Firma = seitenText(f, &B::Firma);
    k.Vorname = seitenText(f, &B::Vorname);
    k.Name = seitenText(f, &B::Name);
    k.Strasse = seitenText(f, &B::Strasse);
    k.Nummer = seitenText(f, &B::Nummer);
    k.PLZ = seitenText(f, &B::PLZ);
    k.Ort = seitenText(f, &B::Ort);
    k.Land = seitenText(f, &B::Land);
    k.Mail = seitenText(f, &B::Mail);
    k.KundenNummer = seitenText(f, &B::KundenNummer);
    k.ZolltarifNummer = seitenText(f, &B::ZolltarifNummer);
    k.Bemerkung = seitenText(f, &B::Bemerkung);
    return k;
}

} // namespace

ERechnungsDaten ERechnungsDatenSammeln(const TFKB_Formular& f, const DatenSatz& parameterSatz) {
    using B = Bedienelemente;
    ERechnungsDaten d;
    d.Verkaeufer = verkaeuferLesen(parameterSatz);
    d.Kaeufer = kaeuferLesen(f);
    d.RechnungsNummer = seitenText(f, &B::RechnungsNummer);
    d.RechnungsKennZeichen = f.RechnungsKennZeichen.text;
    d.RechnungsDatum = seitenText(f, &B::RechnungsDatum);
    d.LeistungsDatum = seitenText(f, &B::LeistungsDatum);
    d.ZahlungsEingang = seitenText(f, &B::ZahlungsEingang);
    d.LieferKennzeichen = f.LieferKennzeichen.text;
    for (std::size_t i = 0; i < d.Zeilen.size(); ++i)
        d.Zeilen[i] = {f.Position[i].text, f.ME[i].text, f.Menge[i].text, f.Preis[i].text, f.Wert[i].text};
    d.Kosten = {f.VersandKosten.text, f.NachnameKosten.text, f.SonstigeKosten.text};
    d.BezeichnungSonstigeKosten = seitenText(f, &B::BezeichnungSonstigeKosten);
    d.Summen = f.Summen;
    return d;
}

} // namespace fkb
