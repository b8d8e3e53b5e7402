#pragma once

#include "data/Systemaufrufe.h"

#include <array>
#include <map>
#include <utility>

namespace fkb::test {

// Makes chosen system calls of the file access fail while it lives: the n-th call of a kind,
// counted from 1 since the spritze was set up, fails with the given error number. A pwrite or
// read chosen with `kurz` writes or reads half of what it was asked for instead.
class Fehlerspritze {
public:
    enum Aufruf { Open, Close, Read, Pread, Pwrite, Fsync, Fdatasync, Ftruncate, Fchmod, Rename, Unlink, Arten };

    Fehlerspritze();
    ~Fehlerspritze();
    Fehlerspritze(const Fehlerspritze&) = delete;
    Fehlerspritze& operator=(const Fehlerspritze&) = delete;

    void fehlschlagen(Aufruf art, int nummer, int fehler);
    void kurz(Aufruf art, int nummer);
    int aufrufe(Aufruf art) const { return zaehler_[art]; }
    // Calls of every kind together.
    int aufrufe() const;

private:
    friend struct FehlerspritzeZugang;
    static Fehlerspritze* aktiv_;
    Systemaufrufe echt_;
    std::array<int, Arten> zaehler_{};
    std::map<std::pair<int, int>, int> fehler_; // (kind, call number) → error number; 0 for a short call
};

} // namespace fkb::test
