#include "prozess/Prozess.h"

#include <csignal>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace fkb {

void prozessEinrichten() {
#if defined(__GLIBC__)
    // Every reload frees and rebuilds tens of megabytes of texts. Keeping freed memory in the
    // process, instead of handing it back to the system, spares the next load its page faults.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
#endif
    // A write beyond the file size limit must fail with EFBIG, so that its rollback runs;
    // the default action of this signal would end the program in the middle of the write.
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace fkb
