#include "printing/Seitenlauf.h"

namespace fkb {

std::string linie() {
    return std::string(93, '_');
}

Seitenlauf::Seitenlauf(Leinwand& leinwand, std::string muster, int fortsetzung)
    : leinwand_(leinwand), muster_(muster.empty() ? std::string("X") : std::move(muster)), fortsetzung_(fortsetzung) {}

void Seitenlauf::schrift(int hoehe) {
    leinwand_.schriftHoehe(hoehe);
    schritt_ = leinwand_.textHoehe(muster_);
}

void Seitenlauf::zeile(std::initializer_list<Spalte> spalten) {
    if (!imKopf_ && !seitenAnfang_ && d + schritt_ > leinwand_.druckHoehe()) {
        leinwand_.neueSeite();
        d = fortsetzung_;
        if (seitenKopf) {
            imKopf_ = true;
            seitenKopf(*this);
            imKopf_ = false;
        }
    }
    for (const Spalte& s : spalten)
        leinwand_.textAus(s.x, -d, std::string(s.text));
    if (!imKopf_)
        seitenAnfang_ = false;
}

} // namespace fkb
