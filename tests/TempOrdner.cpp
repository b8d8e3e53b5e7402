#include "TempOrdner.h"

#include <cstdlib>
#include <stdexcept>

namespace fkb::test {

TempOrdner::TempOrdner() {
    std::string vorlage = (std::filesystem::temp_directory_path() / "fkb-test-XXXXXX").string();
    if (!::mkdtemp(vorlage.data()))
        throw std::runtime_error("mkdtemp failed");
    wurzel_ = vorlage;
}

TempOrdner::~TempOrdner() {
    std::error_code ignoriert;
    std::filesystem::remove_all(wurzel_, ignoriert);
}

} // namespace fkb::test
