#pragma once

// What the fuzz targets share: a platform that answers nothing, a folder of their own for the
// data files they write, and a check that ends the run when a property does not hold.
#include "app/Plattform.h"
#include "data/DatenSatz.h"
#include "printing/Aufzeichnung.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// A property that must hold for every input; a failure counts as a finding like a crash.
#define FKB_PRUEFEN(bedingung)                                                                                         \
    do {                                                                                                               \
        if (!(bedingung)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: nicht erfüllt: %s\n", __FILE__, __LINE__, #bedingung);                        \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace fkb::fuzz {

// Answers every question with No, cancels every dialog, runs at a fixed time and keeps what it
// showed. Every text it is shown must be valid UTF-8: the GUI and the driver pass it on as such.
class StillePlattform : public GrundPlattform {
public:
    std::vector<std::string> meldungen; // "Fehler: …", "Information: …", "Bestätigung: …"

    void fehlerMelden(const std::string& text) override { melden("Fehler: ", text); }
    void hinweisMelden(const std::string& text) override { melden("Information: ", text); }
    bool bestaetigen(const std::string& text) override {
        melden("Bestätigung: ", text);
        return false;
    }
    std::optional<std::string> dateiWaehlen(const DateiDialog&) override { return std::nullopt; }
    bool druckDialog(const std::string&) override { return true; }
    std::unique_ptr<Leinwand> druckLeinwand() override { return std::make_unique<Aufzeichnung>(); }
    int dokumentOeffnen(const std::string&, const std::string&) override { return 2; }
    void infoZeigen() override {}
    std::string programmOrdner() override { return "/"; }
    Zeitpunkt jetzt() override { return {2026, 12, 8, 10, 15, 0}; }
    void beenden() override {}

private:
    void melden(const char* art, const std::string& text);
};

bool gueltigesUtf8(std::string_view text);

// A folder of this process for the files a target writes, removed when the process ends; on a
// memory file system where there is one, so that flushing costs nothing.
const std::string& sandkasten();
// Writes the bytes as the file `name` in the sandbox; returns its path.
std::string dateiSchreiben(const std::string& name, std::string_view bytes);
std::string dateiLesen(const std::string& pfad);

// A valid parameter record and the 50 templates of a new file, to put in front of the records of
// an input where a command skips them.
const std::vector<DatenSatz>& vorspann();

// Takes the input apart from its front.
class Eingabe {
public:
    Eingabe(const std::uint8_t* daten, std::size_t groesse) : rest_(reinterpret_cast<const char*>(daten), groesse) {}
    std::uint8_t byte() {
        if (rest_.empty())
            return 0;
        auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::string_view bytes(std::size_t n) {
        std::string_view teil = rest_.substr(0, n);
        rest_.remove_prefix(teil.size());
        return teil;
    }
    // Up to the next line break, which is dropped.
    std::string_view zeile() {
        std::size_t ende = rest_.find('\n');
        std::string_view teil = rest_.substr(0, ende);
        rest_.remove_prefix(ende == std::string_view::npos ? rest_.size() : ende + 1);
        return teil;
    }
    std::string_view rest() const { return rest_; }
    bool leer() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

} // namespace fkb::fuzz
