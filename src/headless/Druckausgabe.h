#pragma once

#include "headless/HeadlessPlattform.h"
#include "printing/Aufzeichnung.h"

#include <memory>
#include <optional>
#include <string>

namespace fkb {

// The driver's printer: every document becomes one "druck" event with all its texts and their
// pages; with a PDF file set, the document is also rendered into it by the real printer canvas.
// A PDF that cannot be made costs a "fehler" event, never the "druck" event.
class Druckausgabe : public Leinwand {
public:
    Druckausgabe(Ereigniskanal& kanal, std::optional<std::string> pdf);
    // The document also drawn on a canvas of the caller's, whose failures are the caller's.
    Druckausgabe(Ereigniskanal& kanal, Leinwand& ziel);
    ~Druckausgabe() override;

    void dokumentBeginnen() override;
    void abbildungMetrisch() override;
    void schriftHoehe(int hoehe) override;
    void schriftName(const std::string& name) override;
    void schriftFarbe(std::uint32_t rgb) override;
    void schriftStil(Schriftstil stil) override;
    // Heights and page breaks are the recording's, so that the event and the PDF agree page for page.
    int textHoehe(const std::string& text) override { return aufzeichnung_.textHoehe(text); }
    void textAus(int x, int y, const std::string& text) override;
    int druckHoehe() override { return aufzeichnung_.druckHoehe(); }
    void neueSeite() override;
    void dokumentBeenden() override;

private:
    // Runs a call on the PDF canvas; its first failure ends the PDF and is reported at the end.
    template <class Aufruf> void pdfAufruf(Aufruf aufruf);

    Ereigniskanal& kanal_;
    Aufzeichnung aufzeichnung_;
    std::optional<std::string> pdfPfad_;
    std::unique_ptr<Leinwand> pdf_;
    Leinwand* ziel_ = nullptr;
    std::string pdfFehler_;
};

// A canvas that renders into a PDF file; raises std::runtime_error where this build has none.
std::unique_ptr<Leinwand> pdfLeinwand(const std::string& pfad);
// A document rendered as PDF/A-1b into memory by the printer canvas; nothing where this build has none.
std::optional<std::string> pdfDokument(const std::function<void(Leinwand&)>& zeichnen);

} // namespace fkb
