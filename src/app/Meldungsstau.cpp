#include "app/Meldungsstau.h"

namespace fkb {

void Meldungsstau::freigeben() {
    halten_ = false;
    for (const auto& [fehler, text] : std::exchange(gehalten_, {}))
        fehler ? echt_.fehlerMelden(text) : echt_.hinweisMelden(text);
}

void Meldungsstau::fehlerMelden(const std::string& text) {
    if (halten_)
        gehalten_.emplace_back(true, text);
    else
        echt_.fehlerMelden(text);
}

void Meldungsstau::hinweisMelden(const std::string& text) {
    if (halten_)
        gehalten_.emplace_back(false, text);
    else
        echt_.hinweisMelden(text);
}

} // namespace fkb
