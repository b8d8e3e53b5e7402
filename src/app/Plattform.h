#pragma once

#include "app/Zeitpunkt.h"
#include "printing/Leinwand.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fkb {

enum class DialogArt { Oeffnen, Speichern };

// A file dialog as the program asks for it.
struct DateiDialog {
    DialogArt art = DialogArt::Oeffnen;
    std::string titel;
    std::string filter;
    std::string endung;
    std::string ordner;
    std::string name;
};

// Everything the logic needs of the toolkit and the system. The GUI implements it with
// Qt; the headless driver and the tests with scripted answers and a fixed clock.
// Message texts separate their lines with a single carriage return. Every function is pure: the
// window reaches the platform through Meldungsstau, and the compiler makes that pass each one on.
// A platform derives from GrundPlattform, which answers what a toolkit may leave to it.
class Plattform {
public:
    virtual ~Plattform() = default;

    // Modal boxes: "Fehler" and "Information" with OK, "Bestätigung" with Ja / Nein (true for Ja).
    virtual void fehlerMelden(const std::string& text) = 0;
    virtual void hinweisMelden(const std::string& text) = 0;
    virtual bool bestaetigen(const std::string& text) = 0;
    // A question whose Yes must not be given by Enter alone (it deletes or gives something up): the
    // same box, but Enter and Escape answer Nein.
    virtual bool bestaetigenVorgabeNein(const std::string& text) = 0;

    // The open or save dialog; the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> dateiWaehlen(const DateiDialog& dialog) = 0;
    // The print dialog; true when confirmed. Where the user prints into a PDF file, the dialog offers
    // `pdfVorschlag` (a path) instead of the file printed last, which the next print would overwrite.
    virtual bool druckDialog(const std::string& pdfVorschlag) = 0;
    // A canvas on the printer that the print dialog confirmed last.
    virtual std::unique_ptr<Leinwand> druckLeinwand() = 0;
    // The document that `zeichnen` draws on a canvas, rendered as PDF/A-1b into memory on A4 paper
    // with the printable height of the printer canvas; nothing where the program has no PDF output.
    virtual std::optional<std::string> pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) = 0;

    // Hands a document to the system shell; a result below 32 means it failed.
    virtual int dokumentOeffnen(const std::string& dokument, const std::string& verb) = 0;
    // The help document at the topic of a context number; a platform that cannot aim at a topic opens
    // it at its start.
    virtual int hilfeOeffnen(const std::string& dokument, int kontext) = 0;
    // Shows the information dialog modally.
    virtual void infoZeigen() = 0;

    // The folder of the program's own file, with its trailing separator.
    virtual std::string programmOrdner() = 0;
    // The folder an installation puts the help document into, with its trailing separator.
    virtual std::string hilfeOrdner() = 0;
    // Where the help document is looked for, in this order; "" is the current folder. The program
    // looks beside itself, then where an installation puts it, then in the current folder.
    virtual std::vector<std::string> hilfeOrte() = 0;
    // Where the file dialogs start, with its trailing separator: the program's folder unless the
    // toolkit knows a better place (the user's documents when the program's folder is not theirs).
    virtual std::string ablageOrdner() = 0;
    virtual Zeitpunkt jetzt() = 0;
    // Ends the application's message loop.
    virtual void beenden() = 0;
};

// The answers a toolkit may leave to the program: the delete question as any other, no PDF output, the
// help at its start, the help beside the program or where an installation puts it, the dialogs
// starting in the program's folder.
class GrundPlattform : public Plattform {
public:
    bool bestaetigenVorgabeNein(const std::string& text) override { return bestaetigen(text); }
    std::optional<std::string> pdfErstellen(const std::function<void(Leinwand&)>&) override { return std::nullopt; }
    int hilfeOeffnen(const std::string& dokument, int) override { return dokumentOeffnen(dokument, "open"); }
    std::string hilfeOrdner() override;
    std::vector<std::string> hilfeOrte() override;
    std::string ablageOrdner() override { return programmOrdner(); }
};

} // namespace fkb
