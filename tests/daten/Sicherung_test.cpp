// The copy of what a record write replaces, as a killed program leaves it, and what the next program
// that opens the file makes of it.
#include "Datenwerkzeug.h"
#include "data/DatenDatei.h"
#include "data/Sicherung.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace fkb;
using namespace fkb::test;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t G = DatenSatz::Groesse;

// Different at the start and at the end, so that a write cut in between leaves neither.
DatenSatz bild(const std::string& name) {
    return satz(Kennzeichen::Rechnung, {{SatzFeld::Name, name}, {SatzFeld::SystemStempelZeit, name}});
}

std::string bytes(const DatenSatz& s) {
    return {s.bytes.begin(), s.bytes.end()};
}

void schreibenBei(const std::string& pfad, std::size_t offset, const std::string& b) {
    std::fstream datei(pfad, std::ios::binary | std::ios::in | std::ios::out);
    datei.seekp(std::streamoff(offset));
    datei << b;
}

} // namespace

TEST(Sicherung, DerNaechsteStelltHerWasEinGetoeteterHalbSchrieb) {
    const std::string rest(700, 'R'); // the tail of a damaged file, behind record 2
    const std::string alt = bytes(bild("alt")), neu = bytes(bild("neu"));
    using Tun = std::function<void(const std::string& datei, std::size_t offset, const std::string& kopie)>;
    // The system stops a write between two sectors of the file: here at 6144 = 12 * 512, or 9728 = 19 * 512.
    const Tun halb = [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu.substr(0, 6144 - o)); };
    const auto dann = [](Tun a, Tun b) {
        return [a, b](const std::string& d, std::size_t o, const std::string& k) { a(d, o, k), b(d, o, k); };
    };
    struct Fall {
        const char* was;
        bool anhaengen;
        // What the killed program did after writing the copy — to the data file, and to the copy — and what
        // happened to either since.
        Tun tun;
        enum { Alt, Neu, Gelassen } danach; // the old file, the new record whole, or as the kill left it
        bool fremd = false; // something not the user's own copy lies at its name: it stays, unused, reported
    };
    std::vector<Fall> faelle = {
        {"killed before the write", false, [](auto&, auto, auto&) {}, Fall::Alt},
        {"overwrite cut short", false, halb, Fall::Alt},
        {"overwrite whole, the copy not yet removed", false,
         [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu); }, Fall::Neu},
        {"append cut short", true,
         [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu.substr(0, 9728 - o)); }, Fall::Alt},
        {"append whole", true, [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu); }, Fall::Neu},
        // Killed while writing the copy, before the file was touched: the copy is of no use.
        {"the copy cut short", false,
         [&](auto&, auto, const std::string& k) { fs::resize_file(k, fs::file_size(k) - 9); }, Fall::Alt},
        // Bytes that no interrupted write of the copy's record can have left: not the copy's business.
        {"the place holds something else", false,
         [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o + 5, "fremd"); }, Fall::Gelassen},
        // The same file remounted, under another inode number; another state of the file at its name (a
        // backup put back over it, records stored through a hard link in another folder).
        {"the file back under another inode number", false,
         dann(halb, [](const std::string& d, auto, auto&) { fs::copy_file(d, d + ".neu"), fs::rename(d + ".neu", d); }),
         Fall::Alt},
        {"cut where the write went", false,
         dann(halb, [](const std::string& d, std::size_t o, auto&) { fs::resize_file(d, o); }), Fall::Gelassen},
    };
    // What someone else may put at the copy's name in a folder shared with others (a copy of another
    // user's: see the two users' test).
    const std::pair<const char*, std::function<void(const std::string&)>> fremde[] = {
        {"the copy with a second link", [](auto& k) { fs::create_hard_link(k, k + "2"); }},
        {"a symbolic link to a copy", [](auto& k) { fs::rename(k, k + "2"), fs::create_symlink(k + "2", k); }},
        {"a pipe", [](auto& k) { fs::remove(k), ::mkfifo(k.c_str(), 0600); }},
        {"4 GiB, sparse", [](auto& k) { fs::resize_file(k, std::uintmax_t(4) << 30); }},
    };
    for (const auto& [was, tun] : fremde)
        faelle.push_back({was, false, dann(halb, [tun](auto&, auto, auto& k) { tun(k); }), Fall::Gelassen, true});
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        TempOrdner ordner;
        const std::string pfad = ordner.pfad("d.fba");
        dateiSchreiben(pfad, {parameterSatz(), bild("eins"), bild("alt")});
        bytesAnhaengen(pfad, rest);
        const std::string vorher = dateiInhalt(pfad);
        const std::size_t offset = (fall.anhaengen ? 3 : 2) * G;
        std::string nachher = vorher;
        nachher.replace(offset, G, neu);
        const std::string kopie = sicherungsPfad(pfad);
        {
            GesperrteDatei datei(pfad, Sperrart::Schreiben);
            const std::string ersetzt = fall.anhaengen ? rest : alt;
            Sicherung sicherung(datei, off_t(offset), std::int64_t(vorher.size()),
                                {reinterpret_cast<const unsigned char*>(ersetzt.data()), ersetzt.size()},
                                {reinterpret_cast<const unsigned char*>(neu.data()), neu.size()});
            ASSERT_TRUE(fs::exists(kopie));
            fall.tun(pfad, offset, kopie);
        }
        const std::string getan = dateiInhalt(pfad);
        DatenDatei(pfad).anzahlSaetze(); // a reader finds the copy first

        EXPECT_TRUE(dateiInhalt(pfad) == (fall.danach == Fall::Alt   ? vorher
                                          : fall.danach == Fall::Neu ? nachher
                                                                     : getan));
        EXPECT_EQ(fremdeSicherungenAbholen(),
                  fall.fremd ? std::vector<std::string>{kopie} : std::vector<std::string>{});
        if (!fall.fremd) {
            EXPECT_EQ(std::distance(fs::directory_iterator(ordner.wurzel()), {}), 1) << "the copy is gone";
            continue;
        }
        // It stays where it is, is reported once a run, and does not stand in the way of a store.
        EXPECT_TRUE(fs::exists(fs::symlink_status(kopie)));
        EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad).schreiben(1, bild("danach")); }), "");
        EXPECT_TRUE(dateiInhalt(pfad).substr(G, G) == bytes(bild("danach")));
        EXPECT_TRUE(fremdeSicherungenAbholen().empty());
    }
}

// A copy left for a file that is gone, found beside a new file that got its inode number, does not
// describe the new file: it is removed and the file left alone.
TEST(Sicherung, EineKopieEinerAnderenDateiBleibtOhneWirkung) {
    TempOrdner ordner;
    const std::string a = ordner.pfad("a.fba"), b = ordner.pfad("b.fba");
    dateiSchreiben(a, {bild("a")});
    dateiSchreiben(b, {bild("b")});
    std::string kopieVonA;
    {
        GesperrteDatei datei(a, Sperrart::Schreiben);
        const std::string neu = bytes(bild("neu")), alt = dateiInhalt(a);
        Sicherung kopie(datei, 0, G, {reinterpret_cast<const unsigned char*>(alt.data()), G},
                        {reinterpret_cast<const unsigned char*>(neu.data()), G});
        kopieVonA = sicherungsPfad(datei);
    }
    {
        GesperrteDatei datei(b, Sperrart::Lesen);
        fs::rename(kopieVonA, sicherungsPfad(datei));
    }
    schreibenBei(b, 0, bytes(bild("neu")).substr(0, 100)); // neither a's old nor a's new record
    const std::string getan = dateiInhalt(b);
    DatenDatei(b).anzahlSaetze();
    EXPECT_TRUE(dateiInhalt(b) == getan);
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner.wurzel()), {}), 2);
}
