#include "data/Ersatzdatei.h"

#include "data/Dateizugriff.h"
#include "data/Laufzeitfehler.h"
#include "data/Systemaufrufe.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fkb {
namespace {

// 64 records: large writes, little memory.
constexpr std::size_t PufferGroesse = 64 * DatenSatz::Groesse;

std::string tempDateiAnlegen(const std::string& ordner, mode_t modus, int& fd) {
    static constexpr char zeichen[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 zufall{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> wahl(0, sizeof zeichen - 2);
    for (int versuch = 0; versuch < 100; ++versuch) {
        std::string pfad = ordner + "/" + Ersatzdatei::TempPraefix;
        for (int i = 0; i < 6; ++i)
            pfad += zeichen[wahl(zufall)];
        fd = systemaufrufe.open(pfad.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, modus);
        if (fd >= 0)
            return pfad;
        if (errno != EEXIST)
            throw EAFehler(errno);
    }
    throw EAFehler(EEXIST);
}

// The file a symbolic link points to; the path itself when it names no existing file.
std::string aufgeloest(const std::string& pfad) {
    std::unique_ptr<char, decltype(&std::free)> echt(::realpath(pfad.c_str(), nullptr), &std::free);
    return echt ? std::string(echt.get()) : pfad;
}

} // namespace

Ersatzdatei::Ersatzdatei(const std::string& pfad, mode_t modus) {
    if (pfad.empty())
        throw EAFehler(ENOENT);
    ziel_ = aufgeloest(pfad);
    nurGewoehnlicheDatei(ziel_);
    ordner_ = ordnerVon(ziel_);
    temp_ = tempDateiAnlegen(ordner_, modus, fd_);
    struct stat alt {};
    if (::stat(ziel_.c_str(), &alt) == 0 && systemaufrufe.fchmod(fd_, alt.st_mode & 07777) != 0) {
        int fehler = errno;
        systemaufrufe.close(std::exchange(fd_, -1));
        systemaufrufe.unlink(temp_.c_str());
        throw EAFehler(fehler);
    }
    puffer_.reserve(PufferGroesse);
}

Ersatzdatei::~Ersatzdatei() {
    if (fd_ >= 0)
        systemaufrufe.close(fd_);
    if (!temp_.empty())
        systemaufrufe.unlink(temp_.c_str());
}

void Ersatzdatei::pufferSchreiben() {
    if (int fehler = ganzSchreiben(fd_, puffer_.data(), puffer_.size(), laenge_))
        throw EAFehler(fehler);
    laenge_ += off_t(puffer_.size());
    puffer_.clear();
}

void Ersatzdatei::schreiben(const unsigned char* daten, std::size_t laenge) {
    if (puffer_.size() + laenge > PufferGroesse)
        pufferSchreiben();
    if (laenge >= PufferGroesse) {
        if (int fehler = ganzSchreiben(fd_, daten, laenge, laenge_))
            throw EAFehler(fehler);
        laenge_ += off_t(laenge);
        return;
    }
    puffer_.insert(puffer_.end(), daten, daten + laenge);
}

void Ersatzdatei::einsetzen() {
    pufferSchreiben();
    if (systemaufrufe.fsync(fd_) != 0)
        throw EAFehler(errno);
    if (systemaufrufe.close(std::exchange(fd_, -1)) != 0)
        throw EAFehler(errno);
    // One step: the target is the old file or the whole new one, never none.
    if (systemaufrufe.rename(temp_.c_str(), ziel_.c_str()) != 0)
        throw EAFehler(errno);
    temp_.clear();
    ordnerSichern(ordner_);
}

void DateiErsetzen(const std::string& pfad, std::string_view inhalt) {
    Ersatzdatei datei(pfad);
    datei.schreiben(reinterpret_cast<const unsigned char*>(inhalt.data()), inhalt.size());
    datei.einsetzen();
}

} // namespace fkb
