#include "data/Dateistand.h"

#include "data/Laufzeitfehler.h"

#include <cerrno>
#include <sys/stat.h>

namespace fkb {

Dateistand dateistandVon(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw EAFehler(errno);
    const auto ns = [](const timespec& t) { return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {st.st_dev, st.st_ino, st.st_size, ns(st.st_mtim), ns(st.st_ctim)};
}

} // namespace fkb
