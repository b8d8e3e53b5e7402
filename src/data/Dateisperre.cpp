#include "data/Dateisperre.h"

#include "data/Laufzeitfehler.h"
#include "data/Sicherung.h"
#include "data/Systemaufrufe.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fkb {
namespace {

// Tries for a second and a half: a store of another program ends long before, and a user hardly waits
// for the message. A program that stores one record after another frees the lock only for moments, so
// the tries come often and at random moments (0.1 to 1 ms apart): tries in step with its stores
// would never find one of them.
constexpr std::chrono::microseconds GesamtWartezeit{1500000};
constexpr std::chrono::microseconds KuerzestePause{100}, LaengstePause{1000};
// A path whose file is replaced again and again while this waits is as good as busy.
constexpr int Oeffnungsversuche = 10;

std::chrono::microseconds pause() {
    // Each thread that opens files draws its own pauses.
    thread_local std::minstd_rand zufall{std::random_device{}()};
    const std::chrono::microseconds dauer{
        std::uniform_int_distribution<long>(KuerzestePause.count(), LaengstePause.count())(zufall)};
    const timespec zeit{0, long(std::chrono::nanoseconds(dauer).count())};
    systemaufrufe.nanosleep(&zeit, nullptr);
    return dauer;
}

void sperren(int fd, Sperrart art) {
    const int wie = (art == Sperrart::Lesen ? LOCK_SH : LOCK_EX) | LOCK_NB;
    for (std::chrono::microseconds gewartet{0};;) {
        if (systemaufrufe.flock(fd, wie) == 0)
            return;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            throw EAFehler(errno);
        if (gewartet >= GesamtWartezeit)
            throw EAFehler::dateiBelegt();
        gewartet += pause();
    }
}

Dateikennung kennungVon(const struct stat& st) {
    return {st.st_dev, st.st_ino};
}

// Opening a pipe would wait for a writer, a device may do anything: neither is waited for, and only a
// regular file is kept.
int oeffnen(const std::string& pfad, Sperrart art, struct stat& st) {
    const int flags = (art == Sperrart::Lesen ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    int fd = systemaufrufe.open(pfad.c_str(), flags | O_NONBLOCK, 0);
    if (fd < 0)
        throw EAFehler(errno);
    int fehler = 0;
    if (::fstat(fd, &st) != 0)
        fehler = errno;
    else if (!S_ISREG(st.st_mode))
        fehler = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        fehler = errno;
    if (fehler != 0) {
        systemaufrufe.close(fd);
        throw EAFehler(fehler);
    }
    return fd;
}

} // namespace

GesperrteDatei::GesperrteDatei(const std::string& pfad, Sperrart art) : pfad_(pfad) {
    if (pfad.empty())
        throw EAFehler(ENOENT);
    oeffnenUndSperren(art);
    if (art == Sperrart::Schreiben) {
        try {
            sicherungEinspielen(*this);
        } catch (...) {
            systemaufrufe.close(std::exchange(fd_, -1));
            throw;
        }
        return;
    }
    // A reader cannot put right what a killed program left: it lets go, has a writer's lock do it, and
    // opens again. Should that fail — a protected file, a busy one — it reads what is there.
    if (eigeneSicherungDa(pfad)) {
        systemaufrufe.close(std::exchange(fd_, -1));
        try {
            GesperrteDatei schreiber(pfad, Sperrart::Schreiben);
        } catch (const EAFehler&) {
        }
        oeffnenUndSperren(art);
    }
}

void GesperrteDatei::oeffnenUndSperren(Sperrart art) {
    for (int versuch = 1;; ++versuch) {
        struct stat offen {};
        fd_ = oeffnen(pfad_, art, offen);
        try {
            sperren(fd_, art);
        } catch (...) {
            systemaufrufe.close(std::exchange(fd_, -1));
            throw;
        }
        // Removed or replaced while this waited: the lock on the old file protects nothing.
        struct stat jetzt {};
        if (::stat(pfad_.c_str(), &jetzt) == 0 && kennungVon(jetzt) == kennungVon(offen)) {
            kennung_ = kennungVon(offen);
            return;
        }
        systemaufrufe.close(std::exchange(fd_, -1));
        if (versuch == Oeffnungsversuche)
            throw EAFehler::dateiBelegt();
    }
}

GesperrteDatei::~GesperrteDatei() {
    if (fd_ >= 0)
        systemaufrufe.close(fd_);
}

std::int64_t GesperrteDatei::groesse() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        throw EAFehler(errno);
    return st.st_size;
}

void GesperrteDatei::schliessen() {
    if (systemaufrufe.close(std::exchange(fd_, -1)) != 0)
        throw EAFehler(errno);
}

int GesperrteDatei::abgeben() {
    return std::exchange(fd_, -1);
}

} // namespace fkb
