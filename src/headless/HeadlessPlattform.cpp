#include "headless/HeadlessPlattform.h"

#include "headless/Druckausgabe.h"

#include <filesystem>
#include <system_error>

namespace fkb {

void Ereigniskanal::senden(const Json& ereignis) {
    // Texts come from the data file through the codec and are valid UTF-8; should one not be,
    // a replacement character is better than losing the whole event.
    aus_ << ereignis.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
}

void HeadlessPlattform::meldung(const char* art, const std::string& text, const Json& antwort) {
    kanal_.senden({{"meldung", {{"art", art}, {"text", text}, {"antwort", antwort}}}});
}

void HeadlessPlattform::fehlerMelden(const std::string& text) {
    meldung("Fehler", text, nullptr);
}

void HeadlessPlattform::hinweisMelden(const std::string& text) {
    meldung("Information", text, nullptr);
}

bool HeadlessPlattform::bestaetigen(const std::string& text) {
    bool ja = false;
    if (antworten.empty()) {
        kanal_.fehler("keine Antwort für die Bestätigung vorgegeben, beantwortet mit Nein");
    } else {
        ja = antworten.front();
        antworten.pop_front();
    }
    meldung("Bestätigung", text, ja ? "ja" : "nein");
    return ja;
}

std::optional<std::string> HeadlessPlattform::dateiWaehlen(const DateiDialog& dialog) {
    std::optional<std::string> ergebnis;
    if (dialoge.empty()) {
        kanal_.fehler("kein Ergebnis für den Dateidialog vorgegeben, abgebrochen");
    } else {
        ergebnis = dialoge.front();
        dialoge.pop_front();
    }
    kanal_.senden({{"dialog",
                    {{"art", dialog.art == DialogArt::Oeffnen ? "oeffnen" : "speichern"},
                     {"titel", dialog.titel},
                     {"filter", dialog.filter},
                     {"endung", dialog.endung},
                     {"ordner", dialog.ordner},
                     {"name", dialog.name},
                     {"ergebnis", ergebnis ? Json(*ergebnis) : Json(nullptr)}}}});
    return ergebnis;
}

bool HeadlessPlattform::druckDialog(const std::string&) {
    bool ok = false;
    if (druckdialoge.empty()) {
        kanal_.fehler("kein Ergebnis für den Druckdialog vorgegeben, abgebrochen");
    } else {
        ok = druckdialoge.front();
        druckdialoge.pop_front();
    }
    kanal_.senden({{"druckdialog", {{"ergebnis", ok}}}});
    return ok;
}

std::unique_ptr<Leinwand> HeadlessPlattform::druckLeinwand() {
    return std::make_unique<Druckausgabe>(kanal_, pdf);
}

std::optional<std::string> HeadlessPlattform::pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) {
    return pdfDokument([&](Leinwand& pdf) {
        Druckausgabe druck(kanal_, pdf);
        zeichnen(druck);
    });
}

int HeadlessPlattform::dokumentOeffnen(const std::string& dokument, const std::string& verb) {
    // The shell resolves a bare name against the current directory; without the file it
    // answers "file not found", which is below 32.
    std::error_code fehler;
    if (!std::filesystem::exists(dokument, fehler))
        return 2;
    kanal_.senden({{"hilfe", {{"dokument", dokument}, {"verb", verb}}}});
    return 42;
}

std::string HeadlessPlattform::programmOrdner() {
    std::error_code fehler;
    std::string ordner = std::filesystem::read_symlink("/proc/self/exe", fehler).parent_path().string();
    if (fehler)
        ordner = std::filesystem::current_path(fehler).string();
    if (ordner.empty() || ordner.back() != '/')
        ordner += '/';
    return ordner;
}

void HeadlessPlattform::beenden() {
    kanal_.senden({{"ende", true}});
}

} // namespace fkb
