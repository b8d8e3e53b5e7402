// No command loses data: every system call of every writing command fails in turn; protected files,
// folders and mounts, odd paths and a file busy in another program; a file replaced by another program
// under the navigation list; a file size limit in the real program.
#include "Datenwerkzeug.h"
#include "Fehlerspritze.h"
#include "SatzBau.h"
#include "data/Ersatzdatei.h"
#include "data/Grundbestand.h"
#include "data/Sicherung.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <optional>
#include <regex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fkb;
using namespace fkb::test;
namespace fs = std::filesystem;

namespace {

using F = Fehlerspritze;
using Texte = std::vector<std::string>;
const std::string Belegt = "Datei wird von einem anderen Programm benutzt!\rBitte später erneut versuchen!";

// An error text of the runtime, maybe with the warning line of a rollback that failed.
bool laufzeittext(const std::string& text) {
    static const std::set<std::string> texte = {"Datei nicht gefunden",
                                                "Ungültiger Dateiname",
                                                "Zu viele geöffnete Dateien",
                                                "Dateizugriff verweigert",
                                                "Versuch hinter dem Dateiende zu lesen",
                                                "Zu wenig Speicherplatz"};
    const std::string zeile = text.substr(0, text.find('\r'));
    return texte.count(zeile) || std::regex_match(zeile, std::regex("E/A-Fehler [0-9]+"));
}

std::optional<std::string> inhalt(const std::string& pfad) {
    return fs::exists(pfad) ? std::optional(dateiInhalt(pfad)) : std::nullopt;
}

// Everything in the folder and below that the program names as its own temporary file.
std::vector<std::string> tempDateien(const TempOrdner& ordner) {
    std::vector<std::string> namen;
    for (const auto& e : fs::recursive_directory_iterator(ordner.wurzel()))
        if (e.path().filename().string().starts_with(Ersatzdatei::TempPraefix))
            namen.push_back(e.path().string());
    return namen;
}

// A seeded file with two invoices of December and a record marked deleted between them.
const std::string& grunddatei() {
    static const std::string bytes = [] {
        DatenSatz puffer;
        std::vector<DatenSatz> saetze = grundbestand(puffer, {"08.12.2026", "10:15:00"}, {"08.12.2026", "10:15:00"});
        saetze.push_back(kunde("00002", "Zwei", "Z", "000052", Kennzeichen::Rechnung));
        saetze.push_back(kunde("00003", "Drei", "D", "000053", Kennzeichen::Geloescht));
        saetze.push_back(kunde("00004", "Vier", "V", "000054", Kennzeichen::Rechnung));
        std::string b;
        for (const DatenSatz& s : saetze)
            b.append(reinterpret_cast<const char*>(s.bytes.data()), s.bytes.size());
        return b;
    }();
    return bytes;
}

// A window (hints on, so that success is said) on that file, its last invoice chosen in the navigation
// list and edited, both invoices listed by a query.
struct Lage {
    TempOrdner ordner;
    TestPlattform p;
    TFKB_Formular f{p};
    std::string pfad = ordner.pfad("daten.fba");
    std::string ziel = pfad; // the file the command changes

    Lage() {
        std::ofstream(pfad, std::ios::binary) << grunddatei();
        p.antworten.push_back(true);
        f.starten();
        p.dialoge.push_back(pfad);
        f.klick("Oeffnen");
        f.klick("ButtonFahndungR");
        Zeitpunkt::ausText("01.12.2026", f.KalenderVon);
        Zeitpunkt::ausText("31.12.2026", f.KalenderBis);
        p.antworten.push_back(true);
        f.klick("BitBtnStartFahndung");
        f.waehleFahndung(0);
        waehleSatz(54);
        f.eingeben("Name", "Geändert");
        // Stored as a new record too: an invoice number of its own.
        f.eingeben("RechnungsNummer", "9999");
        EXPECT_TRUE(p.texte("Fehler").empty());
        p.vergessen();
    }
    void waehleSatz(int nummer) {
        for (std::size_t z = 0; z < f.ListeObjekt.zeilen.size(); ++z)
            if (f.ListeObjekt.zeilen[z].ends_with("~~~" + std::to_string(nummer)))
                f.waehleListe(int(z));
    }
};

struct Befehl {
    const char* name;
    std::function<void(Lage&)> vorbereiten; // names the target, answers the questions
    const char* knopf;
    std::function<std::string(Lage&)> erfolg = {};     // what it says when it succeeded, in hint mode
    std::function<std::string(Lage&)> misserfolg = {}; // what it says when it failed, if not the runtime's text
};

const Befehl Befehle[] = {
    {"seeding",
     [](Lage& l) {
         l.ziel = l.ordner.pfad("neu.fba");
         l.p.dialoge.push_back(l.ziel);
     },
     "Neu"},
    {"store new", [](Lage&) {}, "Satz_Neu"},
    {"overwrite", [](Lage&) {}, "Satz_Speichern"},
    {"delete", [](Lage& l) { l.p.antworten.push_back(true); }, "Satz_Loeschen"},
    {"mark paid", [](Lage&) {}, "BitBtnSetzenRKZ"},
    {"compaction", [](Lage&) {}, "Speichern",
     [](Lage& l) { return "Aus Datei " + l.ziel + "\r wurden die als gelöscht markierten Datensätze entfernt."; }},
    {"save as",
     [](Lage& l) {
         l.ziel = l.ordner.pfad("kopie.fba");
         std::ofstream(l.ziel, std::ios::binary) << "die alte Kopie";
         l.p.dialoge.push_back(l.ziel);
         l.p.antworten.push_back(true);
     },
     "SpeichernUnter", [](Lage& l) { return "Datei unter " + l.ziel + "\r gespeichert!"; },
     [](Lage& l) { return "Datei " + l.ziel + "\r konnte nicht gespeichert werden!\r Prüfe Verzeichnis / Datei!"; }},
};

} // namespace

// Every system call of each writing command fails in turn — with ENOSPC, EIO and EFBIG, and every write
// also half done before the disk is full — until the command runs through untouched. Whatever fails, the
// file is the old one byte for byte or exactly the command's result; a failure is reported with the
// runtime's text and never as a success; no temporary file is left. A failed flush of a file is final:
// the command reports it, and a new file does not take the old one's place. Only the copy of a record
// that finds no room is given up, and the record written without it.
TEST(Datensicherheit, JederAufrufJedesSchreibendenBefehlsScheitertEinmal) {
    int faelleGesamt = 0;
    for (const Befehl& befehl : Befehle) {
        // The command without a failure: its calls, and the file it leaves.
        std::vector<F::Schritt> verlauf;
        std::set<std::string> ordner; // paths of the calls that named a folder
        std::optional<std::string> erwartet;
        {
            Lage l;
            befehl.vorbereiten(l);
            {
                Fehlerspritze zaehlen;
                l.f.klick(befehl.knopf);
                verlauf = zaehlen.verlauf();
            }
            for (const F::Schritt& s : verlauf)
                if (fs::is_directory(s.pfad))
                    ordner.insert(s.pfad);
            ASSERT_TRUE(l.p.texte("Fehler").empty()) << befehl.name;
            erwartet = inhalt(l.ziel);
        }
        struct Fall {
            F::Schritt schritt;
            int fehler; // 0: written half, then the disk is full
        };
        std::vector<Fall> faelle;
        for (const F::Schritt& s : verlauf) {
            for (int fehler : {ENOSPC, EIO, EFBIG})
                faelle.push_back({s, fehler});
            if (s.art == F::Pwrite)
                faelle.push_back({s, 0});
        }
        int geaendert = 0;
        for (const Fall& fall : faelle) {
            SCOPED_TRACE(std::string(befehl.name) + ": " + F::name(fall.schritt.art) + " #" +
                         std::to_string(fall.schritt.nummer) + " " + fall.schritt.pfad + " " +
                         (fall.fehler ? std::strerror(fall.fehler) : "half written, then full"));
            Lage l;
            befehl.vorbereiten(l);
            const std::optional<std::string> vorher = inhalt(l.ziel);
            {
                Fehlerspritze spritze;
                if (fall.fehler != 0) {
                    spritze.fehlschlagen(fall.schritt.art, fall.schritt.nummer, fall.fehler);
                } else {
                    spritze.kurz(F::Pwrite, fall.schritt.nummer);
                    spritze.fehlschlagen(F::Pwrite, fall.schritt.nummer + 1, ENOSPC);
                }
                l.f.klick(befehl.knopf);
            }
            const std::optional<std::string> nachher = inhalt(l.ziel);
            const bool ergebnis = nachher == erwartet;
            EXPECT_TRUE(ergebnis || nachher == vorher) << "the old file or the whole result";
            geaendert += ergebnis;
            const Texte fehler = l.p.texte("Fehler"), hinweise = l.p.texte("Information");
            for (const std::string& text : fehler)
                EXPECT_TRUE(laufzeittext(text)) << text;
            const std::string erfolg = befehl.erfolg ? befehl.erfolg(l) : "";
            const std::string misserfolg = befehl.misserfolg ? befehl.misserfolg(l) : "";
            const bool gemeldet = !fehler.empty() || (!misserfolg.empty() && hinweise == Texte{misserfolg});
            if (ergebnis) {
                EXPECT_TRUE(misserfolg.empty() || hinweise != Texte{misserfolg}) << "succeeded, reported failed";
            } else {
                EXPECT_TRUE(gemeldet) << "failed silently";
                EXPECT_TRUE(erfolg.empty() || std::find(hinweise.begin(), hinweise.end(), erfolg) == hinweise.end())
                    << "failed, reported succeeded";
            }
            // Room for the record, not for the copy of what it replaces: stored without the copy.
            const bool kopieOhnePlatz = fall.schritt.pfad.ends_with(".alt") && fall.fehler != EIO;
            if (kopieOhnePlatz && (fall.schritt.art == F::Pwrite || fall.schritt.art == F::Fdatasync)) {
                EXPECT_TRUE(ergebnis);
            }
            if ((fall.schritt.art == F::Fsync || fall.schritt.art == F::Fdatasync) &&
                !ordner.count(fall.schritt.pfad) && !kopieOhnePlatz) {
                EXPECT_FALSE(ergebnis) << "a failed flush is final";
                EXPECT_TRUE(gemeldet);
            }
            // The copy of a record that a store could not remove is gone with the next access, which
            // finds the file as it is.
            if (nachher)
                DatenDatei(l.ziel).anzahlSaetze();
            EXPECT_TRUE(inhalt(l.ziel) == nachher);
            EXPECT_TRUE(tempDateien(l.ordner).empty());
        }
        std::cout << "[ Fälle   ] " << befehl.name << ": " << verlauf.size() << " Aufrufe, " << faelle.size()
                  << " Fehlerfälle, davon " << geaendert << " mit vollständigem Ergebnis\n";
        faelleGesamt += int(faelle.size());
    }
    std::cout << "[ Fälle   ] zusammen " << faelleGesamt << "\n";
}

// What each command says when the data file is something else than a writable regular file, or busy in
// another program; whatever it says, it changes nothing. Root ignores permission bits, so protection is
// simulated: the calls that change the file or its folder fail with EACCES or EROFS. In a protected
// folder a writable file is written all the same, without the copy of the record a store replaces;
// only what needs a new file there is refused.
TEST(Datensicherheit, OrdnerPipeVerweisSchreibschutzUndSperre) {
    enum Lageart { Ordner, Pipe, Verweis, DateiGeschuetzt, OrdnerGeschuetzt, NurLesbar, Benutzt, Arten };
    const char* const lagen[Arten] = {"folder",          "pipe", "dangling link", "read-only file", "read-only folder",
                                      "read-only mount", "busy"};
    // Expected texts by command and case: "" none, U/N/V the runtime's, K no file, G/L the command's own.
    struct Zeile {
        const char* befehl;
        std::array<const char*, Arten> text;
    };
    const Zeile tabelle[] = {
        //                      folder pipe link  ro-file ro-dir ro-mount busy
        {"Oeffnen", {"U", "U", "N", "", "", "", "B"}},
        {"ListBoxObjekt", {"U", "U", "N", "", "", "", "B"}},
        {"BitBtnLadenVorlageKunde", {"U", "U", "N", "", "", "", "B"}},
        {"BitBtnStartFahndung", {"U", "U", "N", "", "", "", "B"}},
        {"Satz_Neu", {"U", "U", "N", "V", "", "V", "B"}},
        {"Satz_Speichern", {"U", "U", "N", "V", "", "V", "B"}},
        {"Satz_Loeschen", {"U", "U", "N", "V", "", "V", "B"}},
        {"BitBtnSetzenRKZ", {"U", "U", "N", "V", "", "V", "B"}},
        {"Speichern", {"K", "K", "K", "V", "V", "V", "B"}},
        {"SpeichernUnter", {"K", "K", "K", "", "", "", "B"}},
        {"Loeschen", {"K", "K", "K", "L", "L", "L", "B"}},
    };
    for (const Zeile& zeile : tabelle)
        for (int art = 0; art < Arten; ++art) {
            SCOPED_TRACE(std::string(zeile.befehl) + ", " + lagen[art]);
            Lage l;
            l.f.WarnungenHinweise.haken = false; // so that success says nothing
            const std::string anderswo = l.ordner.pfad("anderswo");
            fs::create_directory(anderswo);
            const std::string kopie = anderswo + "/kopie.fba";
            if (art == Ordner || art == Pipe || art == Verweis) {
                fs::remove(l.pfad);
                if (art == Ordner)
                    fs::create_directory(l.pfad);
                else if (art == Pipe)
                    ASSERT_EQ(::mkfifo(l.pfad.c_str(), 0600), 0);
                else
                    fs::create_symlink(l.ordner.pfad("fehlt.fba"), l.pfad);
            }
            const std::optional<std::string> vorher = fs::is_regular_file(l.pfad) ? inhalt(l.pfad) : std::nullopt;
            const int belegt = art == Benutzt ? ::open(l.pfad.c_str(), O_RDONLY) : -1;
            if (belegt >= 0) {
                ASSERT_EQ(::flock(belegt, LOCK_EX), 0);
            }
            {
                Fehlerspritze spritze;
                if (art == DateiGeschuetzt)
                    spritze.schreibschutz(l.pfad, EACCES);
                if (art == OrdnerGeschuetzt || art == NurLesbar)
                    spritze.schreibschutz(l.ordner.wurzel().string(), art == NurLesbar ? EROFS : EACCES);
                l.p.dialoge.push_back(zeile.befehl == std::string("SpeichernUnter") ? kopie : l.pfad);
                l.p.antworten = {true, true};
                if (zeile.befehl == std::string("ListBoxObjekt"))
                    l.waehleSatz(52);
                else
                    l.f.klick(zeile.befehl);
            }
            if (belegt >= 0)
                ::close(belegt);

            const std::string erwartet = std::map<std::string, std::string>{
                {"", ""},
                {"U", "Ungültiger Dateiname"},
                {"N", "Datei nicht gefunden"},
                {"V", "Dateizugriff verweigert"},
                {"B", Belegt},
                {"K", "BedienFehler - " + l.pfad + " ist keine Datei!\rPrüfe Verzeichnis / Datei!"},
                {"L", "Datei " + l.pfad + "\r konnte nicht gelöscht werden!"}}[zeile.text[std::size_t(art)]];
            Texte gezeigt;
            for (const TestPlattform::Meldung& m : l.p.meldungen)
                if (m.art != "Bestätigung")
                    gezeigt.push_back(m.text);
            EXPECT_EQ(gezeigt, erwartet.empty() ? Texte{} : Texte{erwartet});
            if (!erwartet.empty()) {
                EXPECT_TRUE(vorher ? inhalt(l.pfad) == vorher
                                   : (art == Ordner ? fs::is_directory(l.pfad) && fs::is_empty(l.pfad)
                                      : art == Pipe ? fs::is_fifo(l.pfad)
                                                    : fs::is_symlink(l.pfad) && !fs::exists(l.pfad)))
                    << "unchanged";
                EXPECT_FALSE(fs::exists(kopie));
            }
            EXPECT_TRUE(tempDateien(l.ordner).empty());
        }
}

// Another program changed the file since the navigation list was read: compacted it, compacted it twice
// (ext4 gives the second new file the inode number the first rename freed), or copied another file over
// it. The list's record numbers now name other records, or none. Choosing a line, overwriting and
// deleting by them are refused, the pages keep what was typed; a new record is appended as ever, and
// after a reload the numbers hold again.
TEST(Datensicherheit, VonEinemAnderenProgrammVerdichtet) {
    const std::string Geaendert = "LogikFehler - Datei %s wurde inzwischen von einem anderen Programm geändert!\r"
                                  "Datei neu öffnen, dann Satz erneut wählen!";
    const DatenSatz fuenf = kunde("00005", "Fünf", "F", "000055");
    // Record 53, marked deleted, goes: record 54 becomes 53, and 54 is another customer's or none.
    const auto verdichtet = [&](const std::string& pfad, bool undFuenf) {
        DatenDatei(pfad).verdichten();
        if (undFuenf)
            DatenDatei(pfad).anhaengen(fuenf);
    };
    const std::pair<const char*, std::function<void(const std::string&)>> aenderungen[] = {
        {"compacted", [&](auto& pfad) { verdichtet(pfad, false); }},
        {"compacted twice", [&](auto& pfad) { verdichtet(pfad, true), verdichtet(pfad, false); }},
        {"another file copied over it",
         [&](auto& pfad) {
             fs::copy_file(pfad, pfad + ".a");
             verdichtet(pfad + ".a", true);
             std::ofstream(pfad, std::ios::binary | std::ios::trunc) << dateiInhalt(pfad + ".a");
         }},
    };
    for (const auto& [wie, aendern] : aenderungen)
        for (const char* knopf : {"ListBoxObjekt", "Satz_Speichern", "Satz_Loeschen"}) {
            SCOPED_TRACE(std::string(wie) + ", " + knopf);
            Lage l;
            aendern(l.pfad);
            const std::string vorher = dateiInhalt(l.pfad);
            l.p.antworten = {true};
            if (knopf == std::string("ListBoxObjekt"))
                l.waehleSatz(54);
            else
                l.f.klick(knopf);
            EXPECT_EQ(l.p.texte("Fehler"), Texte{std::regex_replace(Geaendert, std::regex("%s"), l.pfad)});
            EXPECT_TRUE(dateiInhalt(l.pfad) == vorher);
            EXPECT_EQ(l.f.Name.text, "Geändert");
            if (knopf == std::string("ListBoxObjekt"))
                continue;

            l.p.vergessen();
            l.f.klick("Satz_Neu");
            EXPECT_TRUE(l.p.meldungen.empty());
            EXPECT_EQ(fs::file_size(l.pfad), vorher.size() + DatenSatz::Groesse);
            l.waehleSatz(53);
            l.f.eingeben("Name", "Wieder");
            l.p.antworten = {true};
            l.f.klick(knopf);
            EXPECT_TRUE(l.p.texte("Fehler").empty());
            DatenSatz s;
            DatenDatei(l.pfad).lesen(53, s);
            EXPECT_EQ(knopf == std::string("Satz_Speichern")
                          ? s.text(SatzFeld::Name)
                          : std::string(1, s.zeichen(SatzFeld::RechnungsKennZeichen)),
                      knopf == std::string("Satz_Speichern") ? "Wieder" : "L");
        }
}

// A pipe, a folder or a link that leads nowhere exists: "Neu" asks before it would replace it, and then
// only reports why it is no data file; "Öffnen..." does not offer to create it. A temporary file that a
// killed program left in the folder is cleared away by either.
TEST(Datensicherheit, NeuUndOeffnenAufEinerPipeEinemOrdnerEinemLeerenVerweis) {
    for (const char* knopf : {"Neu", "Oeffnen"})
        for (const char* art : {"pipe", "folder", "link"})
            for (bool ja : {true, false}) {
                SCOPED_TRACE(std::string(knopf) + " " + art + (ja ? " Ja" : " Nein"));
                Fenster w;
                const std::string datei = w.oeffnen({parameterSatz()});
                const std::string pfad = w.ordner.pfad("anders.fba");
                const std::string alt = w.ordner.pfad("~fkb-x1y2z3.tmp");
                std::ofstream(alt) << "halb";
                const timeval gestern[2] = {{::time(nullptr) - 86400, 0}, {::time(nullptr) - 86400, 0}};
                ::utimes(alt.c_str(), gestern);
                if (art == std::string("pipe"))
                    ASSERT_EQ(::mkfifo(pfad.c_str(), 0600), 0);
                else if (art == std::string("folder"))
                    fs::create_directory(pfad);
                else
                    fs::create_symlink(w.ordner.pfad("fehlt.fba"), pfad);
                w.p.vergessen();
                w.p.dialoge.push_back(pfad);
                w.p.antworten.push_back(ja);
                w.f.klick(knopf);

                const bool neu = knopf == std::string("Neu");
                EXPECT_EQ(w.p.texte("Bestätigung"),
                          neu ? Texte{"Datei existiert bereits!\r\rSoll Datei: " + pfad + " bearbeitet werden?"}
                              : Texte{});
                const std::string warum = art == std::string("link") ? "Datei nicht gefunden" : "Ungültiger Dateiname";
                EXPECT_EQ(w.p.texte("Fehler"), neu && !ja ? Texte{} : Texte{warum});
                EXPECT_EQ(w.f.DateiName, neu && !ja ? datei : pfad);
                EXPECT_TRUE(art == std::string("pipe")     ? fs::is_fifo(pfad)
                            : art == std::string("folder") ? fs::is_empty(pfad)
                                                           : fs::is_symlink(pfad) && !fs::exists(pfad));
                EXPECT_FALSE(fs::exists(alt));
                if (!ja)
                    continue;
                // The record commands then fail the same way, and never hang on the pipe.
                w.p.vergessen();
                w.f.eingeben("KundenNummer", "9");
                w.f.klick("Satz_Neu");
                EXPECT_EQ(w.p.texte("Fehler"), Texte{warum});
            }
}

// With a file size limit (ulimit -f) the real program reports the full disk, goes on, and leaves the
// file as it was: the signal that would end it in the middle of the write is ignored.
TEST(Datensicherheit, DateigroessenGrenzeImProgramm) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("daten.fba");
    std::ofstream(pfad, std::ios::binary) << grunddatei();
    const std::string vorher = dateiInhalt(pfad);
    std::ofstream(ordner.pfad("skript.jsonl")) << R"({"antwort": "nein"})"
                                               << "\n"
                                               << R"({"start": true})"
                                               << "\n"
                                               << R"({"dialog": ")" << pfad << "\"}\n"
                                               << R"({"klick": "Oeffnen"})"
                                               << "\n"
                                               << R"({"eingabe": {"KundenNummer": "9", "Name": "Grenze"}})"
                                               << "\n"
                                               << R"({"klick": "Satz_Neu"})"
                                               << "\n"
                                               << R"({"klick": "Beenden"})"
                                               << "\n";
    // Blocks of 512 bytes: room for the file and half a record more.
    const std::string befehl = "ulimit -f " + std::to_string((vorher.size() + DatenSatz::Groesse / 2) / 512) + "; " +
                               FKB_HEADLESS + " < " + ordner.pfad("skript.jsonl") + " > " + ordner.pfad("aus.jsonl");
    const int status = std::system(("sh -c '" + befehl + "'").c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string aus = dateiInhalt(ordner.pfad("aus.jsonl"));
    EXPECT_NE(aus.find(R"({"meldung":{"art":"Fehler","text":"Zu wenig Speicherplatz","antwort":null}})"),
              std::string::npos)
        << aus;
    EXPECT_NE(aus.find(R"({"ende":true})"), std::string::npos) << "went on to the end";
    EXPECT_TRUE(dateiInhalt(pfad) == vorher);
}

// Two users, the program running as the second one. In a sticky folder open to all, a third user put a
// file at the name of the copy of a record of his data file: it is neither used nor removed, he hears of
// it once, and the store goes through. In a folder of their group, his compaction of her file keeps its
// group and mode, and so her access.
TEST(Datensicherheit, ZweiBenutzerInGeteiltenOrdnern) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can run the program as another user";
    constexpr uid_t Anna = 4243, Bernd = 65534;
    constexpr gid_t Buero = 4242;
    TempOrdner temp;
    const std::string offen = temp.pfad("offen"), gruppe = temp.pfad("gruppe"), eigene = offen + "/daten.fba",
                      ihre = gruppe + "/daten.fba", kopie = sicherungsPfad(eigene);
    const auto anlegen = [](const std::string& pfad, uid_t wer, mode_t modus, const std::string& inhalt) {
        std::ofstream(pfad, std::ios::binary) << inhalt;
        ASSERT_EQ(::chown(pfad.c_str(), wer, Buero) | ::chmod(pfad.c_str(), modus), 0);
    };
    fs::create_directory(offen);
    fs::create_directory(gruppe);
    ASSERT_EQ(::chmod(temp.wurzel().c_str(), 0755) | ::chmod(offen.c_str(), 01777) | ::chown(gruppe.c_str(), 0, Buero) |
                  ::chmod(gruppe.c_str(), 0770),
              0);
    anlegen(eigene, Bernd, 0600, grunddatei());
    anlegen(kopie, Anna, 0644, std::string(65, '\0'));
    anlegen(ihre, Anna, 0660, grunddatei());
    std::ofstream(temp.pfad("skript.jsonl"))
        << "{\"antwort\": \"nein\"}\n{\"start\": true}\n{\"dialog\": \"" << eigene << "\"}\n{\"klick\": \"Oeffnen\"}\n"
        << "{\"waehle\": {\"ListBoxObjekt\": 52}}\n{\"eingabe\": {\"Name\": \"Bernd\"}}\n"
        << "{\"klick\": \"Satz_Speichern\"}\n{\"dialog\": \"" << ihre << "\"}\n{\"klick\": \"Oeffnen\"}\n"
        << "{\"klick\": \"Speichern\"}\n";
    // A copy of the program where he may run it, wherever the build lies.
    fs::copy_file(FKB_HEADLESS, temp.pfad("fkb"));
    ASSERT_EQ(std::system(("setpriv --reuid=65534 --regid=65534 --groups=4242 " + temp.pfad("fkb") + " < " +
                           temp.pfad("skript.jsonl") + " > " + temp.pfad("aus.jsonl"))
                              .c_str()),
              0);

    const std::string aus = dateiInhalt(temp.pfad("aus.jsonl"));
    const std::string hinweis = "Achtung! " + kopie + " ist keine Satzkopie dieses Benutzers und wird nicht verwendet!";
    EXPECT_NE(aus.find(hinweis), std::string::npos) << aus;
    EXPECT_EQ(aus.find(hinweis), aus.rfind(hinweis)) << "once";
    EXPECT_EQ(aus.find("\"Fehler\""), std::string::npos) << aus;
    EXPECT_EQ(dateiInhalt(kopie), std::string(65, '\0'));
    EXPECT_EQ(alleSaetze(eigene)[52].text(SatzFeld::Name), "Bernd");
    struct stat st {};
    ASSERT_EQ(::stat(ihre.c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, Buero);
    EXPECT_EQ(st.st_mode & 07777, 0660u);
}
