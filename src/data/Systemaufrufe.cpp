#include "data/Systemaufrufe.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fkb {
namespace {
// open is variadic; the table holds a plain function.
int systemOpen(const char* pfad, int flags, mode_t modus) {
    return ::open(pfad, flags, modus);
}

int systemRenameNeu(const char* von, const char* nach) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, von, AT_FDCWD, nach, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return -1;
#endif
    // A file system that cannot rename without replacing: a second name, which never replaces, then
    // the first one goes.
    if (::link(von, nach) != 0)
        return -1;
    ::unlink(von);
    return 0;
}
} // namespace

Systemaufrufe Systemaufrufe::system() {
    return {systemOpen, ::close,  ::read,   ::pread,         ::pwrite, ::fsync, ::fdatasync, ::ftruncate,
            ::fchmod,   ::fchown, ::rename, systemRenameNeu, ::unlink, ::flock, ::nanosleep};
}

Systemaufrufe systemaufrufe = Systemaufrufe::system();

} // namespace fkb
