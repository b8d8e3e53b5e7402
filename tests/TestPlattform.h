#pragma once

#include "TempOrdner.h"
#include "app/Plattform.h"
#include "printing/Aufzeichnung.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fkb::test {

// A scripted platform: queued answers, a fixed clock, and a record of everything shown.
class TestPlattform : public GrundPlattform {
public:
    struct Meldung {
        std::string art; // "Fehler", "Information", "Bestätigung"
        std::string text;
        bool antwort = false;
        bool vorgabeNein = false; // a delete question: Enter answers No
    };

    std::deque<bool> antworten;                     // for confirmation boxes; empty means No
    std::deque<std::optional<std::string>> dialoge; // for file dialogs; empty means cancelled
    std::deque<bool> druckdialoge;
    std::vector<std::string> pdfVorschlaege; // of each print dialog
    Zeitpunkt uhr{2026, 12, 8, 10, 15, 0};
    std::string ordner = "/programm/";
    int shellErgebnis = 42;

    std::vector<Meldung> meldungen;
    std::vector<DateiDialog> gezeigteDialoge;
    std::vector<std::string> geoeffneteDokumente;
    std::vector<int> hilfeKontexte; // of each help opened at a topic
    // Every printed document with its texts; the pages are as high as this.
    std::vector<std::vector<GedruckterText>> drucke;
    int druckHoehe = Aufzeichnung::A4DruckHoehe;
    int infoGezeigt = 0;
    bool beendet = false;
    // Runs while a box is open, before it is answered: what another program does meanwhile.
    std::function<void()> beimMelden;

    void fehlerMelden(const std::string& text) override;
    void hinweisMelden(const std::string& text) override;
    bool bestaetigen(const std::string& text) override;
    bool bestaetigenVorgabeNein(const std::string& text) override;
    std::optional<std::string> dateiWaehlen(const DateiDialog& dialog) override;
    bool druckDialog(const std::string& pdfVorschlag) override;
    std::unique_ptr<Leinwand> druckLeinwand() override;
    // Where the tests link the driver with its Qt canvas, the real PDF output.
    std::optional<std::string> pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) override;
    int dokumentOeffnen(const std::string& dokument, const std::string& verb) override;
    int hilfeOeffnen(const std::string& dokument, int kontext) override {
        hilfeKontexte.push_back(kontext);
        return dokumentOeffnen(dokument, "open");
    }
    void infoZeigen() override { ++infoGezeigt; }
    std::string programmOrdner() override { return ordner; }
    Zeitpunkt jetzt() override { return uhr; }
    void beenden() override { beendet = true; }

    // Texts of all boxes of one kind, in order; and forgetting them.
    std::vector<std::string> texte(const std::string& art) const;
    void vergessen() { meldungen.clear(); }
};

} // namespace fkb::test
