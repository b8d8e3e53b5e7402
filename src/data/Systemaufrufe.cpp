#include "data/Systemaufrufe.h"

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
} // namespace

Systemaufrufe Systemaufrufe::system() {
    return {systemOpen,  ::close,  ::read,   ::pread,  ::pwrite, ::fsync,    ::fdatasync,
            ::ftruncate, ::fchmod, ::rename, ::unlink, ::flock,  ::nanosleep};
}

Systemaufrufe systemaufrufe = Systemaufrufe::system();

} // namespace fkb
