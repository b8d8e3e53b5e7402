// The driver's command parser on arbitrary lines: every line is carried out, reported as an
// error event, or refused as no command, and every event that comes out is one valid JSON object.
//
// Input: the script, one command a line. The files a script names lie in the target's own folder:
// a line that could name a path elsewhere (a '/', also escaped) or ask for a PDF is left out.
#include "Fuzzhilfe.h"

#include "headless/Treiber.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <unistd.h>

using namespace fkb;
using namespace fkb::fuzz;

namespace {

bool bleibtImSandkasten(std::string_view zeile) {
    std::string klein(zeile);
    std::transform(klein.begin(), klein.end(), klein.begin(), [](char c) { return char(std::tolower(c)); });
    for (const char* verboten : {"/", "pdf", "\\u002f", "\\u0070", "\\u0064", "\\u0066"})
        if (klein.find(verboten) != std::string::npos)
            return false;
    return true;
}

void sandkastenLeeren() {
    std::error_code fehler;
    for (const auto& eintrag : std::filesystem::directory_iterator(sandkasten(), fehler))
        std::filesystem::remove_all(eintrag.path(), fehler);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    static const bool imSandkasten = ::chdir(sandkasten().c_str()) == 0;
    FKB_PRUEFEN(imSandkasten);
    Eingabe eingabe(daten, groesse);
    std::ostringstream ereignisse;
    {
        Treiber treiber(ereignisse);
        while (!eingabe.leer()) {
            const std::string_view zeile = eingabe.zeile();
            if (!zeile.empty() && bleibtImSandkasten(zeile) && !treiber.zeile(zeile))
                FKB_PRUEFEN(!treiber.fehlergrund().empty());
        }
    }
    std::istringstream gelesen(ereignisse.str());
    for (std::string zeile; std::getline(gelesen, zeile);) {
        const Json ereignis = Json::parse(zeile, nullptr, false);
        FKB_PRUEFEN(ereignis.is_object() && ereignis.size() == 1);
    }
    sandkastenLeeren();
    return 0;
}
