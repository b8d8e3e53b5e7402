#include "prozess/Prozess.h"

#include <csignal>

namespace fkb {

void prozessEinrichten() {
    // A write beyond the file size limit must fail with EFBIG, so that its rollback runs;
    // the default action of this signal would end the program in the middle of the write.
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace fkb
