#include "printing/Aufzeichnung.h"

namespace fkb {

void Aufzeichnung::dokumentBeginnen() {
    texte.clear();
    seiten = 1;
    metrisch = false;
}

void Aufzeichnung::textAus(int x, int y, const std::string& text) {
    texte.push_back({x, y, hoehe_, name_, fett_, farbe_, text, seiten});
}

void Aufzeichnung::dokumentBeenden() {
    if (beiEnde)
        beiEnde(*this);
}

} // namespace fkb
