// Without libFuzzer: feeds every file of the folders and files named on the command line to the
// target once. So the seeds and every input that once found a fault run as a regression test.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> eingaben;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& eintrag : std::filesystem::recursive_directory_iterator(argv[i]))
                if (eintrag.is_regular_file())
                    eingaben.push_back(eintrag.path());
        } else {
            eingaben.emplace_back(argv[i]);
        }
    }
    std::sort(eingaben.begin(), eingaben.end());
    for (const auto& pfad : eingaben) {
        std::ifstream datei(pfad, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(datei), std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "%s\n", pfad.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu Eingaben\n", eingaben.size());
    // An empty corpus proves nothing: more likely a wrong path.
    return eingaben.empty() ? 1 : 0;
}
