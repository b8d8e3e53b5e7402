#include "navigation/Baumaufbau.h"

#include "navigation/Navigationstexte.h"

#include <functional>

namespace fkb {

Baumaufbau::Baumaufbau(Baumansicht& baum) : baum_(baum), plaetze_(1024) {
    baum_.leeren();
}

std::uint64_t Baumaufbau::hashVon(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

int Baumaufbau::finden(std::string_view bytes, std::uint64_t hash) const {
    for (std::size_t i = hash & maske(); plaetze_[i].wurzel >= 0; i = (i + 1) & maske()) {
        const Platz& p = plaetze_[i];
        if (p.hash == hash && p.laenge == bytes.size() && std::string_view(bytes_).substr(p.anfang, p.laenge) == bytes)
            return p.wurzel;
    }
    return -1;
}

int Baumaufbau::wurzelAnlegen(std::string_view bytes, std::string_view text, std::uint64_t hash) {
    const int wurzel = int(baum_.wurzeln.wurzelAnlegen(text));
    eintragen({hash, std::uint32_t(bytes_.size()), std::uint32_t(bytes.size()), wurzel});
    bytes_.append(bytes);
    return wurzel;
}

void Baumaufbau::kindAnlegen(int wurzel, const DatenSatz& satz) {
    char* text = baum_.wurzeln.kindPlatz(BaumKindHoechstens);
    baum_.wurzeln.kindAnfuegen(std::uint32_t(wurzel), baumKindText(satz, text));
}

void Baumaufbau::eintragen(const Platz& platz) {
    if (2 * (belegt_ + 1) > plaetze_.size()) {
        std::vector<Platz> alt(plaetze_.size() * 2);
        alt.swap(plaetze_);
        belegt_ = 0;
        for (const Platz& p : alt)
            if (p.wurzel >= 0)
                eintragen(p);
    }
    std::size_t i = platz.hash & maske();
    while (plaetze_[i].wurzel >= 0)
        i = (i + 1) & maske();
    plaetze_[i] = platz;
    ++belegt_;
}

void Baumaufbau::sortieren() {
    baum_.wurzeln.ordnen();
}

} // namespace fkb
