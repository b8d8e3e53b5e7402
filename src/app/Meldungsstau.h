#pragma once

#include "app/Plattform.h"

#include <string>
#include <utility>
#include <vector>

namespace fkb {

// The platform as the window's handlers reach it: everything is passed on, but error and information
// boxes can be held back while a command keeps the data file locked — a box the user leaves open would
// keep other programs out all that time — and shown in their order once the file is let go.
class Meldungsstau : public Plattform {
public:
    explicit Meldungsstau(Plattform& echt) : echt_(echt) {}

    void halten() { halten_ = true; }
    // Shows what was held back, and holds nothing more.
    void freigeben();

    void fehlerMelden(const std::string& text) override;
    void hinweisMelden(const std::string& text) override;
    bool bestaetigen(const std::string& text) override { return echt_.bestaetigen(text); }
    bool bestaetigenVorgabeNein(const std::string& text) override { return echt_.bestaetigenVorgabeNein(text); }
    std::optional<std::string> dateiWaehlen(const DateiDialog& dialog) override { return echt_.dateiWaehlen(dialog); }
    bool druckDialog(const std::string& pdfVorschlag) override { return echt_.druckDialog(pdfVorschlag); }
    std::unique_ptr<Leinwand> druckLeinwand() override { return echt_.druckLeinwand(); }
    std::optional<std::string> pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) override {
        return echt_.pdfErstellen(zeichnen);
    }
    int dokumentOeffnen(const std::string& dokument, const std::string& verb) override {
        return echt_.dokumentOeffnen(dokument, verb);
    }
    int hilfeOeffnen(const std::string& dokument, int kontext) override {
        return echt_.hilfeOeffnen(dokument, kontext);
    }
    void infoZeigen() override { echt_.infoZeigen(); }
    std::string programmOrdner() override { return echt_.programmOrdner(); }
    std::string hilfeOrdner() override { return echt_.hilfeOrdner(); }
    std::vector<std::string> hilfeOrte() override { return echt_.hilfeOrte(); }
    std::string ablageOrdner() override { return echt_.ablageOrdner(); }
    Zeitpunkt jetzt() override { return echt_.jetzt(); }
    void beenden() override { echt_.beenden(); }

private:
    Plattform& echt_;
    bool halten_ = false;
    std::vector<std::pair<bool, std::string>> gehalten_; // true for an error box
};

} // namespace fkb
