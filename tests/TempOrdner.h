#pragma once

#include <filesystem>
#include <string>

namespace fkb::test {

// A fresh, empty folder below the system's temporary folder, removed at the end.
class TempOrdner {
public:
    TempOrdner();
    ~TempOrdner();
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;
    std::string pfad(const std::string& name) const { return (wurzel_ / name).string(); }
    const std::filesystem::path& wurzel() const { return wurzel_; }

private:
    std::filesystem::path wurzel_;
};

} // namespace fkb::test
