#include "app/Steuerelement.h"

namespace fkb {

bool Steuerelement::bedienbar() const {
    for (const Steuerelement* s = this; s; s = s->eltern)
        if (!s->aktiv || !s->sichtbar)
            return false;
    return true;
}

} // namespace fkb
