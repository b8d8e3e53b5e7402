#include "app/Hilfe.h"
#include "app/Plattform.h"

#include <sys/stat.h>

// Where an installation puts the help, seen from the program's folder; the build sets it from its
// install layout (bin/ beside share/fakturbuch/).
#ifndef FKB_HILFE_RELATIV
#define FKB_HILFE_RELATIV "../share/fakturbuch/"
#endif

namespace fkb {

std::string GrundPlattform::hilfeOrdner() {
    return programmOrdner() + FKB_HILFE_RELATIV;
}

std::vector<std::string> GrundPlattform::hilfeOrte() {
    return {programmOrdner(), hilfeOrdner(), ""};
}

int hilfeKontext(std::string_view seite) {
    if (seite == "Navigation")
        return 1001;
    if (seite == "Kunde")
        return 1002;
    if (seite == "Rechnung")
        return 1003;
    if (seite == "Information")
        return 1004;
    return 0;
}

std::optional<std::string> hilfeFinden(const std::vector<std::string>& ordner) {
    for (const std::string& o : ordner) {
        std::string pfad = o + HilfeDokument;
        struct stat st {};
        if (::stat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            return pfad;
    }
    return std::nullopt;
}

} // namespace fkb
