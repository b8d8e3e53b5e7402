#include "Fehlerspritze.h"

#include <cerrno>
#include <stdexcept>

namespace fkb::test {

Fehlerspritze* Fehlerspritze::aktiv_ = nullptr;

// The replacement calls: each counts itself, then fails, shortens or passes on to the real one.
struct FehlerspritzeZugang {
    // −1: fail (errno set); 0: pass on; 1: pass on, shortened.
    static int pruefen(Fehlerspritze::Aufruf art) {
        Fehlerspritze& s = *Fehlerspritze::aktiv_;
        auto it = s.fehler_.find({art, ++s.zaehler_[art]});
        if (it == s.fehler_.end())
            return 0;
        if (it->second == 0)
            return 1;
        errno = it->second;
        return -1;
    }
    static const Systemaufrufe& echt() { return Fehlerspritze::aktiv_->echt_; }

    template <Fehlerspritze::Aufruf Art, auto Glied, class... Args> static auto einfach(Args... args) {
        using Ergebnis = decltype((echt().*Glied)(args...));
        if (pruefen(Art) < 0)
            return Ergebnis(-1);
        return (echt().*Glied)(args...);
    }
    static ssize_t read(int fd, void* ziel, std::size_t laenge) {
        int p = pruefen(Fehlerspritze::Read);
        return p < 0 ? -1 : echt().read(fd, ziel, p > 0 ? laenge / 2 : laenge);
    }
    static ssize_t pwrite(int fd, const void* daten, std::size_t laenge, off_t offset) {
        int p = pruefen(Fehlerspritze::Pwrite);
        return p < 0 ? -1 : echt().pwrite(fd, daten, p > 0 ? laenge / 2 : laenge, offset);
    }
};

Fehlerspritze::Fehlerspritze() : echt_(systemaufrufe) {
    if (aktiv_)
        throw std::logic_error("one Fehlerspritze at a time");
    aktiv_ = this;
    using Z = FehlerspritzeZugang;
    systemaufrufe = {
        Z::einfach<Open, &Systemaufrufe::open, const char*, int, mode_t>,
        Z::einfach<Close, &Systemaufrufe::close, int>,
        Z::read,
        Z::einfach<Pread, &Systemaufrufe::pread, int, void*, std::size_t, off_t>,
        Z::pwrite,
        Z::einfach<Fsync, &Systemaufrufe::fsync, int>,
        Z::einfach<Fdatasync, &Systemaufrufe::fdatasync, int>,
        Z::einfach<Ftruncate, &Systemaufrufe::ftruncate, int, off_t>,
        Z::einfach<Fchmod, &Systemaufrufe::fchmod, int, mode_t>,
        Z::einfach<Rename, &Systemaufrufe::rename, const char*, const char*>,
        Z::einfach<Unlink, &Systemaufrufe::unlink, const char*>,
    };
}

Fehlerspritze::~Fehlerspritze() {
    systemaufrufe = echt_;
    aktiv_ = nullptr;
}

void Fehlerspritze::fehlschlagen(Aufruf art, int nummer, int fehler) {
    fehler_[{art, nummer}] = fehler;
}

void Fehlerspritze::kurz(Aufruf art, int nummer) {
    fehler_[{art, nummer}] = 0;
}

int Fehlerspritze::aufrufe() const {
    int summe = 0;
    for (int z : zaehler_)
        summe += z;
    return summe;
}

} // namespace fkb::test
