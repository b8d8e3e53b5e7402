#include "app/Bedienelemente.h"

#include <cstdio>

namespace fkb {

std::string zeilenNummer(int k) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", k);
    return text;
}

Bedienelemente::Bedienelemente() {
#define FKB_EINRICHTEN(n, a, e, t, h, m, r, ak)                                                                        \
    n.name = #n;                                                                                                       \
    n.art = Art::a;                                                                                                    \
    n.eltern = e;                                                                                                      \
    n.text = t;                                                                                                        \
    n.hinweis = h;                                                                                                     \
    n.maxLaenge = m;                                                                                                   \
    n.nurLesen = r;                                                                                                    \
    n.aktiv = ak;                                                                                                      \
    eintragen(n);
    FKB_STEUERELEMENTE(FKB_EINRICHTEN)
#undef FKB_EINRICHTEN

    for (Steuerelement* s : {&Ikons, &Volltextsuche, &WarnungenHinweise})
        s->abhakbar = s->haken = true;

    for (int i = 0; i < AnzahlZeilen; ++i) {
        std::string nr = zeilenNummer(i + 1);
        // The nineteenth position field has always taken 30 characters only.
        Position[i] = {"Position" + nr, Art::Feld,         "",    "",       true, true, false,
                       false,           i == 18 ? 30 : 50, false, &Rechnung};
        ME[i] = {"ME" + nr, Art::Feld, "", "", true, true, false, false, 3, false, &Rechnung};
        Menge[i] = {"Menge" + nr, Art::Feld, "", "", true, true, false, false, 7, false, &Rechnung};
        Preis[i] = {"Preis" + nr, Art::Feld, "", "", true, true, false, false, 9, false, &Rechnung};
        Wert[i] = {"Wert" + nr, Art::Feld, "", "", true, true, false, false, 0, true, &Rechnung};
    }
    for (auto* zeile : {&Position, &ME, &Menge, &Preis, &Wert})
        for (Steuerelement& s : *zeile)
            eintragen(s);
}

void Bedienelemente::eintragen(Steuerelement& s) {
    reihenfolge_.push_back(&s);
    nachName_.emplace(s.name, &s);
}

Steuerelement* Bedienelemente::finden(std::string_view name) {
    auto it = nachName_.find(name);
    return it == nachName_.end() ? nullptr : it->second;
}

} // namespace fkb
