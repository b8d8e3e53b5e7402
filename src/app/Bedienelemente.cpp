#include "app/Bedienelemente.h"

#include <cstdio>

namespace fkb {

std::string zeilenNummer(int k) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", k);
    return text;
}

Bedienelemente::Bedienelemente() {
#define FKB_EINTRAGEN(n, ...) eintragen(n);
    FKB_STEUERELEMENTE(FKB_EINTRAGEN)
#undef FKB_EINTRAGEN

    for (int i = 0; i < AnzahlZeilen; ++i) {
        const std::string nr = zeilenNummer(i + 1);
        auto zeile = [&](const char* name, int maxLaenge) {
            return Steuerelement{.name = name + nr, .art = Art::Feld, .maxLaenge = maxLaenge, .eltern = &Rechnung};
        };
        // The nineteenth position field has always taken 30 characters only.
        Position[i] = zeile("Position", i == 18 ? 30 : 50);
        ME[i] = zeile("ME", 3);
        Menge[i] = zeile("Menge", 7);
        Preis[i] = zeile("Preis", 9);
        Wert[i] = zeile("Wert", 0);
        Wert[i].nurLesen = true;
    }
    for (auto* zeile : {&Position, &ME, &Menge, &Preis, &Wert})
        for (Steuerelement& s : *zeile)
            eintragen(s);
}

void Bedienelemente::eintragen(Steuerelement& s) {
    s.starttext = s.gefuellt = s.text;
    reihenfolge_.push_back(&s);
    nachName_.emplace(s.name, &s);
}

Steuerelement* Bedienelemente::finden(std::string_view name) {
    auto it = nachName_.find(name);
    return it == nachName_.end() ? nullptr : it->second;
}

} // namespace fkb
