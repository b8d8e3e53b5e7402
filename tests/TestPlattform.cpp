#include "TestPlattform.h"

#ifdef FKB_PDF
#include "headless/Druckausgabe.h"
#endif

namespace fkb::test {

void TestPlattform::fehlerMelden(const std::string& text) {
    if (beimMelden)
        beimMelden();
    meldungen.push_back({"Fehler", text, false});
}

void TestPlattform::hinweisMelden(const std::string& text) {
    if (beimMelden)
        beimMelden();
    meldungen.push_back({"Information", text, false});
}

bool TestPlattform::bestaetigen(const std::string& text) {
    if (beimMelden)
        beimMelden();
    bool ja = false;
    if (!antworten.empty()) {
        ja = antworten.front();
        antworten.pop_front();
    }
    meldungen.push_back({"Bestätigung", text, ja});
    return ja;
}

bool TestPlattform::bestaetigenVorgabeNein(const std::string& text) {
    bool ja = bestaetigen(text);
    meldungen.back().vorgabeNein = true;
    return ja;
}

std::optional<std::string> TestPlattform::dateiWaehlen(const DateiDialog& dialog) {
    gezeigteDialoge.push_back(dialog);
    if (dialoge.empty())
        return std::nullopt;
    auto ergebnis = dialoge.front();
    dialoge.pop_front();
    return ergebnis;
}

bool TestPlattform::druckDialog(const std::string& pdfVorschlag) {
    pdfVorschlaege.push_back(pdfVorschlag);
    if (druckdialoge.empty())
        return false;
    bool ok = druckdialoge.front();
    druckdialoge.pop_front();
    return ok;
}

std::unique_ptr<Leinwand> TestPlattform::druckLeinwand() {
    auto leinwand = std::make_unique<Aufzeichnung>(druckHoehe);
    leinwand->beiEnde = [this](const Aufzeichnung& a) { drucke.push_back(a.texte); };
    return leinwand;
}

std::optional<std::string> TestPlattform::pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) {
#ifdef FKB_PDF
    return pdfDokument(zeichnen);
#else
    return GrundPlattform::pdfErstellen(zeichnen);
#endif
}

int TestPlattform::dokumentOeffnen(const std::string& dokument, const std::string&) {
    geoeffneteDokumente.push_back(dokument);
    return shellErgebnis;
}

std::vector<std::string> TestPlattform::texte(const std::string& art) const {
    std::vector<std::string> ergebnis;
    for (const Meldung& m : meldungen)
        if (m.art == art)
            ergebnis.push_back(m.text);
    return ergebnis;
}

} // namespace fkb::test
