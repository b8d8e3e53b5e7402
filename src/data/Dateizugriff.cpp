#include "data/Dateizugriff.h"

#include "data/Laufzeitfehler.h"
#include "data/Systemaufrufe.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fkb {

Dateiart dateiart(const std::string& pfad) {
    struct stat st {};
    if (pfad.empty())
        return Dateiart::Keine;
    if (::stat(pfad.c_str(), &st) != 0)
        return ::lstat(pfad.c_str(), &st) == 0 ? Dateiart::Andere : Dateiart::Keine;
    return S_ISREG(st.st_mode) ? Dateiart::Datei : Dateiart::Andere;
}

void nurGewoehnlicheDatei(const std::string& pfad) {
    struct stat st {};
    if (!pfad.empty() && ::stat(pfad.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw EAFehler(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
}

bool gleicheDatei(const std::string& a, const std::string& b) {
    struct stat x {
    }, y{};
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

int ganzSchreiben(int fd, const unsigned char* daten, std::size_t laenge, off_t offset) {
    std::size_t geschrieben = 0;
    while (geschrieben < laenge) {
        ssize_t n = systemaufrufe.pwrite(fd, daten + geschrieben, laenge - geschrieben, offset + off_t(geschrieben));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        geschrieben += std::size_t(n);
    }
    return 0;
}

std::size_t ganzLesen(int fd, unsigned char* ziel, std::size_t laenge, off_t offset) {
    std::size_t gelesen = 0;
    while (gelesen < laenge) {
        ssize_t n = systemaufrufe.pread(fd, ziel + gelesen, laenge - gelesen, offset + off_t(gelesen));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EAFehler(errno);
        if (n == 0)
            break;
        gelesen += std::size_t(n);
    }
    return gelesen;
}

std::string ordnerVon(const std::string& pfad) {
    auto schnitt = pfad.find_last_of('/');
    return schnitt == std::string::npos ? std::string(".") : schnitt == 0 ? std::string("/") : pfad.substr(0, schnitt);
}

void ordnerSichern(const std::string& ordner) {
    int fd = systemaufrufe.open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd >= 0) {
        systemaufrufe.fsync(fd);
        systemaufrufe.close(fd);
    }
}

} // namespace fkb
