#include "Datenwerkzeug.h"
#include "Fehlerspritze.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace fkb;
using namespace fkb::test;

namespace {

DatenSatz nummerierterSatz(int n) {
    return satz(Kennzeichen::Rechnung, {{SatzFeld::KundenNummer, std::to_string(n)}, {SatzFeld::Name, "Satz"}});
}

std::vector<DatenSatz> saetze(int anzahl) {
    std::vector<DatenSatz> v;
    for (int i = 0; i < anzahl; ++i)
        v.push_back(nummerierterSatz(i));
    return v;
}

constexpr std::size_t G = DatenSatz::Groesse;

} // namespace

TEST(DatenDatei, LesenSchreibenAnhaengenNachSatznummer) {
    TempOrdner ordner;
    std::string pfad = ordner.pfad("d.fba");
    dateiSchreiben(pfad, saetze(3));
    DatenDatei datei(pfad);
    EXPECT_EQ(datei.anzahlSaetze(), 3);

    DatenSatz gelesen;
    datei.lesen(2, gelesen);
    EXPECT_EQ(gelesen, nummerierterSatz(2));

    datei.schreiben(1, nummerierterSatz(77));
    EXPECT_EQ(datei.anhaengen(nummerierterSatz(88)), 3);
    datei.schreiben(4, nummerierterSatz(99)); // the record count: an append
    std::string inhalt = dateiInhalt(pfad);
    ASSERT_EQ(inhalt.size(), 5 * G);
    const int erwartet[] = {0, 77, 2, 88, 99};
    for (int i = 0; i < 5; ++i) {
        DatenSatz s = nummerierterSatz(erwartet[i]);
        EXPECT_EQ(inhalt.substr(std::size_t(i) * G, G), std::string(s.bytes.begin(), s.bytes.end())) << i;
    }
}

TEST(DatenDatei, FehlertexteDerLaufzeit) {
    TempOrdner ordner;
    std::string pfad = ordner.pfad("d.fba");
    dateiSchreiben(pfad, saetze(2));
    const std::string vorher = dateiInhalt(pfad);
    const std::string fehlt = ordner.pfad("fehlt.fba"), ordnerPfad = ordner.pfad("ordner.fba");
    std::filesystem::create_directory(ordnerPfad);
    const std::string ende = "Versuch hinter dem Dateiende zu lesen", nichtGefunden = "Datei nicht gefunden",
                      ungueltig = "Ungültiger Dateiname";
    DatenSatz s;
    EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad).lesen(2, s); }), ende);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad).lesen(-1, s); }), ende);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad).schreiben(3, s); }), ende);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(fehlt).lesen(0, s); }), nichtGefunden);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(fehlt).anhaengen(s); }), nichtGefunden);
    EXPECT_EQ(fehlerVon([&] { DatenDatei("").anzahlSaetze(); }), nichtGefunden);
    EXPECT_EQ(fehlerVon([&] { SatzLeser leser(fehlt); }), nichtGefunden);
    // A folder, a path through a regular file, an overlong name.
    EXPECT_EQ(fehlerVon([&] { DatenDatei(ordnerPfad).lesen(0, s); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(ordnerPfad).lesen(7, s); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(ordnerPfad).anzahlSaetze(); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(ordnerPfad).schreiben(0, s); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { SatzLeser(ordnerPfad).naechster(); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { DatenDatei::neuSchreiben(ordnerPfad, saetze(1)); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad + "/x.fba").lesen(0, s); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { DatenDatei::neuSchreiben(pfad + "/x.fba", saetze(1)); }), ungueltig);
    EXPECT_EQ(fehlerVon([&] { DatenDatei(ordner.pfad(std::string(300, 'n'))).anzahlSaetze(); }), ungueltig);
    // A folder or a special file such as a device is never read as records, replaced or deleted. A named
    // pipe stands in for the device: should the guard fail, the test hangs rather than harm a real one.
    const std::string pipe = ordner.pfad("pipe.fba");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& keineDatei : {ordnerPfad, pipe}) {
        SCOPED_TRACE(keineDatei);
        EXPECT_EQ(fehlerVon([&] { DatenDatei::neuSchreiben(keineDatei, saetze(1)); }), ungueltig);
        EXPECT_EQ(fehlerVon([&] { DatenDatei(keineDatei).verdichten(); }), ungueltig);
        EXPECT_EQ(fehlerVon([&] { DatenDatei(keineDatei).kopieren(ordner.pfad("kopie.fba")); }), ungueltig);
        EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad).kopieren(keineDatei); }), ungueltig);
        EXPECT_EQ(fehlerVon([&] { DatenDatei(keineDatei).loeschen(); }), ungueltig);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_TRUE(std::filesystem::is_empty(ordnerPfad));
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad("kopie.fba")));
    EXPECT_EQ(dateiInhalt(pfad), vorher) << "no failing call changed the file";
}

TEST(DatenDatei, FehlertextZuJederFehlernummer) {
    struct Gruppe {
        std::vector<int> nummern;
        std::string text;
    };
    for (const Gruppe& g :
         {Gruppe{{ENOENT}, "Datei nicht gefunden"}, Gruppe{{ENOTDIR, EISDIR, ENAMETOOLONG}, "Ungültiger Dateiname"},
          Gruppe{{EMFILE, ENFILE}, "Zu viele geöffnete Dateien"}, Gruppe{{EACCES, EROFS}, "Dateizugriff verweigert"},
          Gruppe{{ENOSPC, EFBIG}, "Zu wenig Speicherplatz"}})
        for (int n : g.nummern)
            EXPECT_EQ(std::string(EAFehler(n).what()), g.text) << n;
    for (int n : {EIO, EBADF, EXDEV})
        EXPECT_EQ(eaFehlerText(n), "E/A-Fehler " + std::to_string(n));
    EXPECT_EQ(std::string(EAFehler::hinterDemDateiende().what()), "Versuch hinter dem Dateiende zu lesen");
}

TEST(DatenDatei, TextZuIntWieDieLaufzeit) {
    struct Fall {
        std::string text;
        int wert;
    };
    for (const Fall& f : {Fall{"00051", 51}, Fall{"0", 0}, Fall{"  12", 12}, Fall{"-7", -7}, Fall{"+7", 7},
                          Fall{"$1F", 31}, Fall{"0x10", 16}, Fall{"2147483647", 2147483647},
                          Fall{"-2147483648", -2147483647 - 1}, Fall{"000000000000042", 42}})
        EXPECT_EQ(textZuInt(f.text), f.wert) << f.text;
    for (std::string falsch : {"", "xy", "12 ", "1,5", "-", "$", "0x", "2147483648", "99999999999", "1e3", " "})
        EXPECT_EQ(fehlerVon([&] { textZuInt(falsch); }), "'" + falsch + "' ist kein gültiger Integerwert") << falsch;
    // A zero byte from a damaged file would end the message early: the quoted text ends there.
    EXPECT_EQ(fehlerVon([] { textZuInt(std::string("4\0x", 3)); }), "'4' ist kein gültiger Integerwert");
}

// A record may come in pieces from several reads, as from a file on a network share: it is
// handed out whole all the same.
TEST(DatenDatei, NurGanzeSaetzeZaehlenAuchUeberBlockgrenzen) {
    struct HakenZurueck {
        ~HakenZurueck() { systemaufrufe = Systemaufrufe::system(); }
    } zurueck;
    TempOrdner ordner;
    for (int anzahl : {0, 1, 63, 64, 65, 129}) {
        for (std::size_t rest : {std::size_t(0), std::size_t(1), G - 1}) {
            SCOPED_TRACE(std::to_string(anzahl) + " records, tail " + std::to_string(rest));
            std::string pfad = ordner.pfad("l" + std::to_string(anzahl) + "_" + std::to_string(rest) + ".fba");
            dateiSchreiben(pfad, saetze(anzahl));
            bytesAnhaengen(pfad, std::string(rest, 'R'));
            EXPECT_EQ(DatenDatei(pfad).anzahlSaetze(), anzahl);
            for (bool stueckweise : {false, true}) {
                SCOPED_TRACE(stueckweise ? "read in pieces of 1000 bytes" : "read at once");
                systemaufrufe = Systemaufrufe::system();
                if (stueckweise)
                    systemaufrufe.read = [](int fd, void* ziel, std::size_t laenge) {
                        return ::read(fd, ziel, std::min<std::size_t>(laenge, 1000));
                    };
                SatzLeser leser(pfad);
                int n = 0;
                while (const DatenSatz* s = leser.naechster()) {
                    ASSERT_LT(n, anzahl);
                    EXPECT_EQ(*s, nummerierterSatz(n));
                    ++n;
                }
                EXPECT_EQ(n, anzahl);
                EXPECT_EQ(leser.naechster(), nullptr) << "stays at the end";
            }
            systemaufrufe = Systemaufrufe::system();
            // The partial tail is no record: reading it fails, appending writes over it.
            DatenSatz s;
            EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad).lesen(anzahl, s); }), "Versuch hinter dem Dateiende zu lesen");
            EXPECT_EQ(DatenDatei(pfad).anhaengen(nummerierterSatz(anzahl)), anzahl);
            EXPECT_EQ(std::filesystem::file_size(pfad), std::size_t(anzahl + 1) * G);
            DatenDatei(pfad).lesen(anzahl, s);
            EXPECT_EQ(s, nummerierterSatz(anzahl));
        }
    }
}

// Another program that cuts the file short or lengthens it while it is read: the reader ends with
// the last record that lay whole in the file when it read it, never with one partly read, nor with
// one whose tail it did not find. 3000 records are 7.9 MB.
TEST(DatenDatei, GekuerzteDateiEndetWoSieAbgeschnittenWurde) {
    constexpr int Anzahl = 3000;
    constexpr int Block = int(SatzLeser::SaetzeJeBlock);
    struct Fall {
        int gelesen;  // records read before the file is changed
        int bleiben;  // whole records in it afterwards, −1 when it is not changed
        int erwartet; // records the reader hands out in all
        int rest = 0; // bytes of a partial record behind them
    };
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("d.fba");
    const std::vector<DatenSatz> alle = saetze(Anzahl + 10);
    const std::vector<DatenSatz> anfang(alle.begin(), alle.begin() + Anzahl);
    const std::string bytes = [&] {
        std::string b;
        for (const DatenSatz& s : alle)
            b.append(s.bytes.begin(), s.bytes.end());
        return b;
    }();
    // Cut ahead of the reader, behind it (where it still hands out what it had read), with a partial
    // record left whose kind lies inside or outside the part left; grown by whole records and a part.
    for (const Fall& fall :
         {Fall{0, -1, Anzahl}, Fall{10, 2000, 2000}, Fall{1700, 2500, 2500}, Fall{31 * Block, 1000, 31 * Block},
          Fall{2999, 0, Anzahl}, Fall{0, 0, 0}, Fall{10, 2000, 2000, 100}, Fall{10, 2000, 2000, 1000},
          Fall{10, Anzahl + 5, Anzahl + 5}, Fall{31 * Block, Anzahl + 5, Anzahl + 5, 1000}}) {
        SCOPED_TRACE(std::to_string(fall.gelesen) + " read, " + std::to_string(fall.bleiben) + " left");
        dateiSchreiben(pfad, anfang);
        SatzLeser leser(pfad);
        int n = 0;
        for (; n < fall.gelesen; ++n)
            ASSERT_EQ(*leser.naechster(), alle[std::size_t(n)]);
        const std::size_t laenge = std::size_t(fall.bleiben) * G + std::size_t(fall.rest);
        if (fall.bleiben > Anzahl) {
            bytesAnhaengen(pfad, bytes.substr(Anzahl * G, laenge - Anzahl * G));
        } else if (fall.bleiben >= 0) {
            ASSERT_EQ(::truncate(pfad.c_str(), off_t(laenge)), 0);
        }
        for (; const DatenSatz* s = leser.naechster(); ++n)
            ASSERT_EQ(*s, alle[std::size_t(n)]) << n;
        EXPECT_EQ(n, fall.erwartet);
        EXPECT_EQ(leser.naechster(), nullptr) << "stays at the end";
    }
}

TEST(DatenDatei, MisslungenesAnhaengenStelltDieAlteDateiWiederHer) {
    TempOrdner ordner;
    for (std::size_t rest : {std::size_t(0), std::size_t(700)}) {
        SCOPED_TRACE(rest);
        std::string pfad = ordner.pfad("voll" + std::to_string(rest) + ".fba");
        dateiSchreiben(pfad, saetze(3));
        bytesAnhaengen(pfad, std::string(rest, 'R'));
        const std::string vorher = dateiInhalt(pfad);
        std::string fehler;
        // The limit lies inside the new record: part of it reaches the disk before the write fails.
        mitDateigrenze(vorher.size() + 1000,
                       [&] { fehler = fehlerVon([&] { DatenDatei(pfad).anhaengen(saetze(9)[8]); }); });
        EXPECT_EQ(fehler, "Zu wenig Speicherplatz");
        EXPECT_EQ(dateiInhalt(pfad), vorher);
        // An overwrite of the record count is an append, rolled back the same way.
        mitDateigrenze(vorher.size() + 10,
                       [&] { fehler = fehlerVon([&] { DatenDatei(pfad).schreiben(3, saetze(9)[8]); }); });
        EXPECT_EQ(fehler, "Zu wenig Speicherplatz");
        EXPECT_EQ(dateiInhalt(pfad), vorher);
        // A limit below the record: nothing is written, so nothing is said to be damaged.
        mitDateigrenze(2 * G, [&] { fehler = fehlerVon([&] { DatenDatei(pfad).schreiben(2, saetze(9)[8]); }); });
        EXPECT_EQ(fehler, "Zu wenig Speicherplatz");
        EXPECT_EQ(dateiInhalt(pfad), vorher);
        EXPECT_EQ(DatenDatei(pfad).anhaengen(nummerierterSatz(8)), 3) << "the limit is lifted again";
    }
}

TEST(DatenDatei, NeuSchreibenErsetztDieDateiAtomar) {
    TempOrdner ordner;
    std::string pfad = ordner.pfad("ziel.fba");
    dateiSchreiben(pfad, saetze(4));
    const std::string alt = dateiInhalt(pfad);
    // A reader that opened the file before keeps the old file: it is replaced, not rewritten.
    std::ifstream frueherGeoeffnet(pfad, std::ios::binary);

    DatenDatei::neuSchreiben(pfad, std::vector<DatenSatz>{nummerierterSatz(42)});
    EXPECT_EQ(std::filesystem::file_size(pfad), G);
    DatenSatz s;
    DatenDatei(pfad).lesen(0, s);
    EXPECT_EQ(s, nummerierterSatz(42));
    std::string gesehen{std::istreambuf_iterator<char>(frueherGeoeffnet), std::istreambuf_iterator<char>()};
    EXPECT_EQ(gesehen, alt);
    auto eintraege = std::distance(std::filesystem::directory_iterator(ordner.wurzel()), {});
    EXPECT_EQ(eintraege, 1) << "no temporary file left beside it";
    EXPECT_EQ(std::filesystem::status(pfad).permissions() & std::filesystem::perms::all, std::filesystem::perms(0644));
}

TEST(DatenDatei, MisslungenesNeuSchreibenHinterlaesstNichts) {
    TempOrdner ordner;
    EXPECT_EQ(fehlerVon([&] { DatenDatei::neuSchreiben(ordner.pfad("fehlt/ziel.fba"), saetze(2)); }),
              "Datei nicht gefunden");
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad("fehlt")));

    // A full disk in the middle: the old file stays whole and the half-written one is gone.
    std::string pfad = ordner.pfad("ziel.fba");
    dateiSchreiben(pfad, saetze(2));
    const std::string alt = dateiInhalt(pfad);
    std::string fehler;
    mitDateigrenze(5 * G + 17, [&] { fehler = fehlerVon([&] { DatenDatei::neuSchreiben(pfad, saetze(9)); }); });
    EXPECT_EQ(fehler, "Zu wenig Speicherplatz");
    EXPECT_EQ(dateiInhalt(pfad), alt);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner.wurzel()), {}), 1);
}

// A new file gets the mode the umask gives, a replaced one keeps its own; a name as long as the
// system allows leaves room for the temporary file beside it.
TEST(DatenDatei, NeuSchreibenRechteUndLangeNamen) {
    struct Fall {
        mode_t umask;
        int vorher; // mode of the file it replaces, −1 for none
        std::size_t namensLaenge;
        mode_t erwartet;
    };
    TempOrdner ordner;
    const mode_t alteMaske = ::umask(022);
    for (const Fall& fall : {Fall{077, -1, 10, 0600}, Fall{022, -1, 10, 0644}, Fall{027, -1, 250, 0640},
                             Fall{077, 0644, 10, 0644}, Fall{022, 0600, 10, 0600}, Fall{022, 0640, 255, 0640}}) {
        SCOPED_TRACE(std::to_string(fall.umask) + " " + std::to_string(fall.vorher));
        std::string pfad = ordner.pfad(std::string(fall.namensLaenge - 4, 'n') + ".fba");
        std::filesystem::remove(pfad);
        if (fall.vorher >= 0) {
            dateiSchreiben(pfad, saetze(1));
            ASSERT_EQ(::chmod(pfad.c_str(), mode_t(fall.vorher)), 0);
        }
        ::umask(fall.umask);
        DatenDatei::neuSchreiben(pfad, saetze(2));
        ::umask(022);
        struct stat st {};
        ASSERT_EQ(::stat(pfad.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, fall.erwartet);
        EXPECT_EQ(DatenDatei(pfad).anzahlSaetze(), 2);
    }
    ::umask(alteMaske);
}

// A write that fails is undone; when undoing fails as well, the message says that the record on
// disk may be damaged, never that nothing happened, and the next access puts it right.
TEST(DatenDatei, MisslingtDasZurueckschreibenSagtEsDieMeldung) {
    using F = Fehlerspritze;
    constexpr int Kurz = 0; // the call writes half of its bytes
    struct Fall {
        const char* was;
        bool anhaengen;
        std::vector<std::tuple<F::Aufruf, int, int>> plan; // call, its number, EIO or Kurz
        std::string zusatz;                                // second line of the message
    };
    const std::string beschaedigt = "\rAchtung! Satz 1 in der Datei ist möglicherweise beschädigt - Satz prüfen!";
    const std::string unvollstaendig =
        "\rAchtung! Am Ende der Datei steht möglicherweise ein unvollständiger Satz - Datei prüfen!";
    // A write that fails half-way leaves a torn record or a partial tail unless it is undone.
    // The first write and flush of each store are those of the copy of what it replaces (see Sicherung).
    const Fall faelle[] = {
        {"overwrite, write fails", false, {{F::Pwrite, 2, Kurz}, {F::Pwrite, 3, EIO}}, ""},
        {"overwrite, flush fails", false, {{F::Fdatasync, 2, EIO}}, ""},
        {"overwrite, undo fails", false, {{F::Pwrite, 2, Kurz}, {F::Pwrite, 3, EIO}, {F::Pwrite, 4, EIO}}, beschaedigt},
        {"overwrite, undo not flushed", false, {{F::Fdatasync, 2, EIO}, {F::Fdatasync, 3, EIO}}, beschaedigt},
        {"append, write fails", true, {{F::Pwrite, 2, Kurz}, {F::Pwrite, 3, EIO}}, ""},
        {"append, flush fails", true, {{F::Fdatasync, 2, EIO}}, ""},
        {"append, cut fails",
         true,
         {{F::Pwrite, 2, Kurz}, {F::Pwrite, 3, EIO}, {F::Ftruncate, 1, EIO}},
         unvollstaendig},
        {"append, cut not flushed", true, {{F::Fdatasync, 2, EIO}, {F::Fdatasync, 3, EIO}}, unvollstaendig},
        {"the copy cannot be written", false, {{F::Pwrite, 1, EIO}}, ""},
        {"the copy cannot be flushed", true, {{F::Fdatasync, 1, EIO}}, ""},
    };
    // New in both halves: a write cut in the middle leaves a record neither old nor new.
    DatenSatz neu = nummerierterSatz(7);
    neu.setzeText(SatzFeld::SystemStempelZeit, "12:34:56");
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("d.fba");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        dateiSchreiben(pfad, saetze(3));
        const std::string vorher = dateiInhalt(pfad);
        std::string meldung;
        {
            Fehlerspritze spritze;
            for (auto [aufruf, nummer, fehler] : fall.plan)
                fehler == Kurz ? spritze.kurz(aufruf, nummer) : spritze.fehlschlagen(aufruf, nummer, fehler);
            meldung = fehlerVon([&] {
                if (fall.anhaengen)
                    DatenDatei(pfad).anhaengen(neu);
                else
                    DatenDatei(pfad).schreiben(1, neu);
            });
        }
        EXPECT_EQ(meldung, "E/A-Fehler " + std::to_string(EIO) + fall.zusatz);
        if (fall.zusatz.empty()) {
            EXPECT_TRUE(dateiInhalt(pfad) == vorher) << "undone";
        }
        // Not undone, it is put right by the next access, from the copy left for it.
        DatenDatei(pfad).anzahlSaetze();
        EXPECT_TRUE(dateiInhalt(pfad) == vorher);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner.wurzel()), {}), 1) << "no copy left";
    }
}
