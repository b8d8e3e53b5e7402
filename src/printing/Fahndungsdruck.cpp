// "Druck Fahndung": the list of the last period query on the chosen printer.
#include "printing/Fahndungsdruck.h"

#include "app/TFKB_Formular.h"
#include "printing/Seitenlauf.h"

namespace fkb {
namespace {
constexpr int Schrift = 25;
constexpr int Rand = 50; // the left edge of every text, and the top of every page
} // namespace

void fahndungslisteDrucken(Leinwand& leinwand, const std::string& kopf, const Zeilenliste& zeilen, std::size_t anzahl,
                           const std::string& muster) {
    leinwand.dokumentBeginnen();
    leinwand.abbildungMetrisch();
    leinwand.schriftName("Courier");
    leinwand.schriftFarbe(Schwarz);
    leinwand.schriftStil(Schriftstil::Fett);
    Seitenlauf s(leinwand, muster, Rand);
    s.schrift(Schrift);
    s.seitenKopf = [&kopf](Seitenlauf& lauf) {
        lauf.zeile({{Rand, kopf}});
        lauf.vor(1);
        lauf.zeile({{Rand, linie()}});
        lauf.vor(2);
    };

    s.d = Rand;
    s.seitenKopf(s);
    const std::size_t satzZeilen = std::min(anzahl, zeilen.size());
    for (std::size_t i = 0; i < satzZeilen; ++i) {
        if (i > 0)
            s.vor(1);
        s.zeile({{Rand, zeilen[i]}});
    }
    if (satzZeilen < zeilen.size()) {
        s.vor(1);
        s.zeile({{Rand, linie()}});
        s.vor(2);
        s.zeile({{Rand, zeilen[satzZeilen]}});
    }
    leinwand.dokumentBeenden();
}

void TFKB_Formular::BitBtnDruckFahndungClick() {
    if (!plattform.druckDialog(ablageVorschlag("Fahndung", FahndungsZeitraum, "pdf")))
        return;
    // The step is measured on the salutation of the parameter record read last; any text gives it.
    fahndungslisteDrucken(*plattform.druckLeinwand(), PanelFahndungAnzeige.text, ListeFahndung.zeilen, FahndungsAnzahl,
                          ParameterPuffer.text(SatzFeld::Anrede));
}

} // namespace fkb
