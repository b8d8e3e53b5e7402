#include "headless/Druckausgabe.h"

#include <exception>

namespace fkb {

Druckausgabe::Druckausgabe(Ereigniskanal& kanal, std::optional<std::string> pdf)
    : kanal_(kanal), pdfPfad_(std::move(pdf)) {}

Druckausgabe::Druckausgabe(Ereigniskanal& kanal, Leinwand& ziel) : kanal_(kanal), ziel_(&ziel) {}

Druckausgabe::~Druckausgabe() = default;

template <class Aufruf> void Druckausgabe::pdfAufruf(Aufruf aufruf) {
    if (ziel_)
        aufruf(*ziel_);
    if (!pdf_)
        return;
    try {
        aufruf(*pdf_);
    } catch (const std::exception& fehler) {
        pdfFehler_ = fehler.what();
        pdf_.reset();
    }
}

void Druckausgabe::dokumentBeginnen() {
    aufzeichnung_.dokumentBeginnen();
    pdfFehler_.clear();
    pdf_.reset();
    if (pdfPfad_) {
        try {
            pdf_ = pdfLeinwand(*pdfPfad_);
        } catch (const std::exception& fehler) {
            pdfFehler_ = fehler.what();
        }
    }
    pdfAufruf([](Leinwand& l) { l.dokumentBeginnen(); });
}

void Druckausgabe::abbildungMetrisch() {
    aufzeichnung_.abbildungMetrisch();
    pdfAufruf([](Leinwand& l) { l.abbildungMetrisch(); });
}

void Druckausgabe::schriftHoehe(int hoehe) {
    aufzeichnung_.schriftHoehe(hoehe);
    pdfAufruf([hoehe](Leinwand& l) { l.schriftHoehe(hoehe); });
}

void Druckausgabe::schriftName(const std::string& name) {
    aufzeichnung_.schriftName(name);
    pdfAufruf([&name](Leinwand& l) { l.schriftName(name); });
}

void Druckausgabe::schriftFarbe(std::uint32_t rgb) {
    aufzeichnung_.schriftFarbe(rgb);
    pdfAufruf([rgb](Leinwand& l) { l.schriftFarbe(rgb); });
}

void Druckausgabe::schriftStil(Schriftstil stil) {
    aufzeichnung_.schriftStil(stil);
    pdfAufruf([stil](Leinwand& l) { l.schriftStil(stil); });
}

void Druckausgabe::textAus(int x, int y, const std::string& text) {
    aufzeichnung_.textAus(x, y, text);
    pdfAufruf([&](Leinwand& l) { l.textAus(x, y, text); });
}

void Druckausgabe::neueSeite() {
    aufzeichnung_.neueSeite();
    pdfAufruf([](Leinwand& l) { l.neueSeite(); });
}

void Druckausgabe::dokumentBeenden() {
    aufzeichnung_.dokumentBeenden();
    pdfAufruf([](Leinwand& l) { l.dokumentBeenden(); });
    pdf_.reset();

    Json texte = Json::array();
    for (const GedruckterText& t : aufzeichnung_.texte)
        texte.push_back({{"x", t.x},
                         {"y", t.y},
                         {"hoehe", t.hoehe},
                         {"schrift", t.schrift},
                         {"fett", t.fett},
                         {"text", t.text},
                         {"seite", t.seite}});
    kanal_.senden({{"druck", {{"texte", std::move(texte)}}}});
    if (!pdfFehler_.empty())
        kanal_.fehler("pdf " + *pdfPfad_ + ": " + pdfFehler_);
}

} // namespace fkb
