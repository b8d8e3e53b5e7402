#include "TestPlattform.h"
#include "app/TFKB_Formular.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace fkb;
using namespace fkb::test;
namespace fs = std::filesystem;

namespace {

struct HilfePlattform : TestPlattform {
    std::string hilfe;
    std::string hilfeOrdner() override { return hilfe; }
};

struct Arbeitsordner {
    fs::path vorher = fs::current_path();
    explicit Arbeitsordner(const fs::path& ordner) { fs::current_path(ordner); }
    ~Arbeitsordner() { fs::current_path(vorher); }
};

TEST(Hilfe, SuchtNebenDemProgrammDannImHilfeordnerDannImArbeitsordner) {
    enum Ort { Keiner, Programm, Installation, Arbeit };
    struct Fall {
        const char* name;
        bool programm, installation, arbeit;
        bool ordnerStattDatei; // beside the program a folder named like the document
        int shell;
        Ort erwartet; // where the document handed to the shell lies
        bool fehler;
    };
    const Fall faelle[] = {
        {"alle drei", true, true, true, false, 42, Programm, false},
        {"Installation und Arbeitsordner", false, true, true, false, 42, Installation, false},
        {"nur Arbeitsordner", false, false, true, false, 42, Arbeit, false},
        {"nur Installation", false, true, false, false, 42, Installation, false},
        {"ein Ordner gilt nicht", false, false, true, true, 42, Arbeit, false},
        {"nirgends", false, false, false, false, 42, Keiner, true},
        {"kein Betrachter", true, false, false, false, 31, Programm, true},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        TempOrdner t;
        for (const char* o : {"bin", "share/fakturbuch", "arbeit"})
            fs::create_directories(t.wurzel() / o);
        auto ablegen = [&](const char* ordner) { std::ofstream(t.wurzel() / ordner / "FKB.chm") << "ITSF"; };
        if (c.programm)
            ablegen("bin");
        if (c.ordnerStattDatei)
            fs::create_directory(t.wurzel() / "bin" / "FKB.chm");
        if (c.installation)
            ablegen("share/fakturbuch");
        if (c.arbeit)
            ablegen("arbeit");

        HilfePlattform p;
        p.ordner = t.pfad("bin") + "/";
        p.hilfe = t.pfad("share/fakturbuch") + "/";
        p.shellErgebnis = c.shell;
        Arbeitsordner hier(t.wurzel() / "arbeit");
        TFKB_Formular f(p);
        p.antworten.push_back(false);
        f.starten();
        p.vergessen();
        f.klick("FKBHilfe");

        const std::string erwartet[] = {"", p.ordner + "FKB.chm", p.hilfe + "FKB.chm", "FKB.chm"};
        EXPECT_EQ(p.geoeffneteDokumente,
                  c.erwartet == Keiner ? std::vector<std::string>{} : std::vector<std::string>{erwartet[c.erwartet]});
        EXPECT_EQ(p.texte("Fehler"),
                  c.fehler ? std::vector<std::string>{"Fehler beim Anzeigen Hilfe FKB"} : std::vector<std::string>{});
    }
}

TEST(Hilfe, InstalliertLiegtSieUnterShareNebenBin) {
    TestPlattform p;
    p.ordner = "/opt/fkb/bin/";
    EXPECT_EQ(fs::path(p.hilfeOrdner()).lexically_normal(), fs::path("/opt/fkb/share/fakturbuch/"));
}

} // namespace
