#pragma once

#include "data/Systemaufrufe.h"

#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fkb::test {

// Makes chosen system calls of the file access fail while it lives: the n-th call of a kind,
// counted from 1 since the spritze was set up, fails with the given error number. A pwrite or
// read chosen with `kurz` writes or reads about half of what it was asked for instead; a write stops
// where the system stops one, between two sectors of the file. The pause between two tries for a
// lock is counted, never slept.
class Fehlerspritze {
public:
    enum Aufruf {
        Open,
        Close,
        Read,
        Pread,
        Pwrite,
        Fsync,
        Fdatasync,
        Ftruncate,
        Fchmod,
        Fchown,
        Rename,
        RenameNeu,
        Unlink,
        Flock,
        Nanosleep,
        Arten
    };
    // One call as it was made: its kind, its number among the calls of that kind, and the path it
    // named or the descriptor it used was opened with ("" when not known).
    struct Schritt {
        Aufruf art;
        int nummer;
        std::string pfad;
    };

    Fehlerspritze();
    ~Fehlerspritze();
    Fehlerspritze(const Fehlerspritze&) = delete;
    Fehlerspritze& operator=(const Fehlerspritze&) = delete;

    void fehlschlagen(Aufruf art, int nummer, int fehler);
    void kurz(Aufruf art, int nummer);
    // Refuses changes as a protected file or folder does: a file — opening it for writing fails; a
    // folder — creating, renaming and removing in it fail, and with EROFS (a read-only mount) opening
    // any of its files for writing too. Root ignores permission bits, so tests cannot use chmod.
    void schreibschutz(const std::string& pfad, int fehler);

    int aufrufe(Aufruf art) const { return zaehler_[art]; }
    // Calls of every kind together.
    int aufrufe() const;
    // Every call in the order made.
    const std::vector<Schritt>& verlauf() const { return verlauf_; }
    // The pauses asked for, added up.
    std::chrono::nanoseconds gewartet() const { return gewartet_; }
    // Runs at every pause instead of sleeping: what another program does meanwhile.
    std::function<void()> beimWarten;

    static const char* name(Aufruf art);

private:
    friend struct FehlerspritzeZugang;
    static Fehlerspritze* aktiv_;
    Systemaufrufe echt_;
    std::array<int, Arten> zaehler_{};
    std::vector<Schritt> verlauf_;
    std::map<std::pair<int, int>, int> fehler_; // (kind, call number) → error number; 0 for a short call
    std::map<std::string, int> schutz_;         // protected path → error number
    std::map<int, std::string> offen_;          // descriptor → path it was opened with
    std::chrono::nanoseconds gewartet_{0};
};

} // namespace fkb::test
