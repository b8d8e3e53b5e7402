#pragma once

#include "app/TFKB_Formular.h"
#include "headless/HeadlessPlattform.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace fkb {

// The main window's state as the driver reports it for "zustand".
Json zustand(const TFKB_Formular& f);

// Runs the main window from a script of JSON lines: each line one user action or one queued
// answer; what the program shows goes out as events.
class Treiber {
public:
    explicit Treiber(std::ostream& ereignisse);
    ~Treiber();

    // One line of the script. False when the line is no JSON object with exactly one known
    // command; the reason is then in fehlergrund(). Errors the "user" makes are events instead.
    bool zeile(std::string_view text);
    const std::string& fehlergrund() const { return fehlergrund_; }

    // Reads a whole script; blank lines are skipped. The exit status: 0 when every line was
    // read, 2 after the first line that is no command (reported on `meldungen` with its number).
    int abspielen(std::istream& skript, std::ostream& meldungen);

    HeadlessPlattform& plattform() { return plattform_; }
    // nullptr before "start".
    TFKB_Formular* formular() { return formular_.get(); }

private:
    using Befehl = void (Treiber::*)(const Json&);
    static Befehl befehlVon(std::string_view name);

    // The program commands find a running window, or report why not.
    bool laeuft();
    // A control the user cannot reach (disabled, or inside a hidden or disabled panel).
    bool unerreichbar(const Steuerelement& s);

    void uhr(const Json& wert);
    void antwort(const Json& wert);
    void dialog(const Json& wert);
    void druckdialog(const Json& wert);
    void pdf(const Json& wert);
    void start(const Json& wert);
    void klick(const Json& wert);
    void eingabe(const Json& wert);
    void waehle(const Json& wert);
    void kalender(const Json& wert);
    void schritt(const Json& wert);
    void seite(const Json& wert);
    void schliessen(const Json& wert);
    void zustandMelden(const Json& wert);

    void waehleListe(const Json& wert);
    void waehleBaum(const Json& wert);
    void waehleKategorie(const Json& wert);
    void waehleFahndung(const Json& wert);

    Ereigniskanal kanal_;
    HeadlessPlattform plattform_;
    std::unique_ptr<TFKB_Formular> formular_;
    std::string fehlergrund_;
};

} // namespace fkb
