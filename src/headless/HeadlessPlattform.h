#pragma once

#include "app/Plattform.h"

#include <nlohmann/json.hpp>

#include <deque>
#include <optional>
#include <ostream>
#include <string>

namespace fkb {

using Json = nlohmann::ordered_json;

// One JSON object per line, flushed at once: a script reading the events sees each as it happens.
class Ereigniskanal {
public:
    explicit Ereigniskanal(std::ostream& aus) : aus_(aus) {}
    void senden(const Json& ereignis);
    void fehler(const std::string& text) { senden({{"fehler", text}}); }

private:
    std::ostream& aus_;
};

// The platform of the driver: answers come from the script's queues, everything shown
// becomes an event, and the clock stands still once the script sets it.
class HeadlessPlattform : public GrundPlattform {
public:
    explicit HeadlessPlattform(Ereigniskanal& kanal) : kanal_(kanal) {}

    std::deque<bool> antworten;
    std::deque<std::optional<std::string>> dialoge;
    std::deque<bool> druckdialoge;
    std::optional<Zeitpunkt> uhr;   // none: the system clock
    std::optional<std::string> pdf; // where printed documents are also rendered

    void fehlerMelden(const std::string& text) override;
    void hinweisMelden(const std::string& text) override;
    bool bestaetigen(const std::string& text) override;
    std::optional<std::string> dateiWaehlen(const DateiDialog& dialog) override;
    bool druckDialog(const std::string& pdfVorschlag) override;
    std::unique_ptr<Leinwand> druckLeinwand() override;
    // Reported as a "druck" event like a printed document.
    std::optional<std::string> pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) override;
    int dokumentOeffnen(const std::string& dokument, const std::string& verb) override;
    void infoZeigen() override {}
    std::string programmOrdner() override;
    // A script finds the help in its current folder only, so what it sees does not depend on where
    // the driver is installed.
    std::vector<std::string> hilfeOrte() override { return {""}; }
    Zeitpunkt jetzt() override { return uhr ? *uhr : systemZeit(); }
    void beenden() override;

private:
    void meldung(const char* art, const std::string& text, const Json& antwort);

    Ereigniskanal& kanal_;
};

} // namespace fkb
