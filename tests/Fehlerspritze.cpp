#include "Fehlerspritze.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>

namespace fkb::test {

Fehlerspritze* Fehlerspritze::aktiv_ = nullptr;

namespace {

std::string ordnerVon(const std::string& pfad) {
    auto schnitt = pfad.find_last_of('/');
    return schnitt == std::string::npos ? "." : pfad.substr(0, schnitt);
}

bool istOrdner(const std::string& pfad) {
    struct stat st {};
    return ::stat(pfad.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

// The replacement calls: each counts itself, then fails, shortens or passes on to the real one.
struct FehlerspritzeZugang {
    static Fehlerspritze& s() { return *Fehlerspritze::aktiv_; }
    static const Systemaufrufe& echt() { return s().echt_; }

    static std::string pfadVon(int fd) {
        auto it = s().offen_.find(fd);
        return it == s().offen_.end() ? std::string() : it->second;
    }
    // −1: fail (errno set); 0: pass on; 1: pass on, shortened.
    static int pruefen(Fehlerspritze::Aufruf art, const std::string& pfad) {
        s().verlauf_.push_back({art, ++s().zaehler_[art], pfad});
        auto it = s().fehler_.find({art, s().zaehler_[art]});
        if (it == s().fehler_.end())
            return 0;
        if (it->second == 0)
            return 1;
        errno = it->second;
        return -1;
    }
    static int pruefen(Fehlerspritze::Aufruf art, int fd) { return pruefen(art, pfadVon(fd)); }

    // The error a protection gives the change, 0 if none: `schreiben` opens an existing file for
    // writing, `anlegen` creates, renames or removes a name in its folder.
    static int geschuetzt(const std::string& pfad, bool schreiben, bool anlegen) {
        for (const auto& [geschuetzt, fehler] : s().schutz_) {
            const bool ordner = istOrdner(geschuetzt);
            if (!ordner && schreiben && pfad == geschuetzt)
                return fehler;
            if (ordner && ordnerVon(pfad) == geschuetzt && (anlegen || (schreiben && fehler == EROFS)))
                return fehler;
        }
        return 0;
    }
    static int scheitern(int fehler) {
        errno = fehler;
        return -1;
    }

    static int open(const char* pfad, int flags, mode_t modus) {
        if (pruefen(Fehlerspritze::Open, pfad) < 0)
            return -1;
        const bool schreiben = (flags & O_ACCMODE) != O_RDONLY;
        struct stat st {};
        const bool neu = (flags & O_CREAT) && ::stat(pfad, &st) != 0;
        if (int fehler = geschuetzt(pfad, schreiben, neu))
            return scheitern(fehler);
        int fd = echt().open(pfad, flags, modus);
        if (fd >= 0)
            s().offen_[fd] = pfad;
        return fd;
    }
    // A close that fails has released the descriptor all the same, as on Linux: its lock ends too.
    static int close(int fd) {
        int p = pruefen(Fehlerspritze::Close, fd);
        s().offen_.erase(fd);
        int fehler = errno;
        int ergebnis = echt().close(fd);
        if (p >= 0)
            return ergebnis;
        errno = fehler;
        return -1;
    }
    static ssize_t read(int fd, void* ziel, std::size_t laenge) {
        int p = pruefen(Fehlerspritze::Read, fd);
        return p < 0 ? -1 : echt().read(fd, ziel, p > 0 ? laenge / 2 : laenge);
    }
    // Half of it, up to the last sector boundary of the file before: a disk that runs full or a process
    // that is killed stops a write there, never inside a sector.
    static std::size_t haelfte(std::size_t laenge, off_t offset) {
        const std::size_t bisGrenze = std::size_t((offset + off_t(laenge / 2)) / 512 * 512 - offset);
        return bisGrenze > 0 && bisGrenze < laenge ? bisGrenze : laenge / 2;
    }
    static ssize_t pwrite(int fd, const void* daten, std::size_t laenge, off_t offset) {
        int p = pruefen(Fehlerspritze::Pwrite, fd);
        return p < 0 ? -1 : echt().pwrite(fd, daten, p > 0 ? haelfte(laenge, offset) : laenge, offset);
    }
    template <Fehlerspritze::Aufruf Art, auto Glied> static int umbenennen(const char* von, const char* nach) {
        if (pruefen(Art, von) < 0)
            return -1;
        int fehler = geschuetzt(von, false, true);
        if (fehler == 0)
            fehler = geschuetzt(nach, false, true);
        if (fehler != 0)
            return scheitern(fehler);
        return (echt().*Glied)(von, nach);
    }
    static int unlink(const char* pfad) {
        if (pruefen(Fehlerspritze::Unlink, pfad) < 0)
            return -1;
        if (int fehler = geschuetzt(pfad, false, true))
            return scheitern(fehler);
        return echt().unlink(pfad);
    }
    // Tests never wait: the pause is added up, and what another program does meanwhile runs instead.
    static int nanosleep(const timespec* dauer, timespec*) {
        if (pruefen(Fehlerspritze::Nanosleep, "") < 0)
            return -1;
        s().gewartet_ += std::chrono::seconds(dauer->tv_sec) + std::chrono::nanoseconds(dauer->tv_nsec);
        if (s().beimWarten)
            s().beimWarten();
        return 0;
    }
    template <Fehlerspritze::Aufruf Art, auto Glied, class... Args> static auto mitFd(int fd, Args... args) {
        using Ergebnis = decltype((echt().*Glied)(fd, args...));
        if (pruefen(Art, fd) < 0)
            return Ergebnis(-1);
        return (echt().*Glied)(fd, args...);
    }
};

Fehlerspritze::Fehlerspritze() : echt_(systemaufrufe) {
    if (aktiv_)
        throw std::logic_error("one Fehlerspritze at a time");
    aktiv_ = this;
    using Z = FehlerspritzeZugang;
    systemaufrufe = {
        Z::open,
        Z::close,
        Z::read,
        Z::mitFd<Pread, &Systemaufrufe::pread, void*, std::size_t, off_t>,
        Z::pwrite,
        Z::mitFd<Fsync, &Systemaufrufe::fsync>,
        Z::mitFd<Fdatasync, &Systemaufrufe::fdatasync>,
        Z::mitFd<Ftruncate, &Systemaufrufe::ftruncate, off_t>,
        Z::mitFd<Fchmod, &Systemaufrufe::fchmod, mode_t>,
        Z::mitFd<Fchown, &Systemaufrufe::fchown, uid_t, gid_t>,
        Z::umbenennen<Rename, &Systemaufrufe::rename>,
        Z::umbenennen<RenameNeu, &Systemaufrufe::renameNeu>,
        Z::unlink,
        Z::mitFd<Flock, &Systemaufrufe::flock, int>,
        Z::nanosleep,
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

void Fehlerspritze::schreibschutz(const std::string& pfad, int fehler) {
    schutz_[pfad] = fehler;
}

int Fehlerspritze::aufrufe() const {
    int summe = 0;
    for (int z : zaehler_)
        summe += z;
    return summe;
}

const char* Fehlerspritze::name(Aufruf art) {
    static const char* const namen[Arten] = {"open",   "close",     "read",      "pread",  "pwrite",
                                             "fsync",  "fdatasync", "ftruncate", "fchmod", "fchown",
                                             "rename", "renameNeu", "unlink",    "flock",  "nanosleep"};
    return namen[art];
}

} // namespace fkb::test
