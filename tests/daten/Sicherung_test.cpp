// The copy of what a record write replaces, as a killed program leaves it, and what the next program
// that opens the file makes of it.
#include "Datenwerkzeug.h"
#include "data/DatenDatei.h"
#include "data/Sicherung.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
    struct Fall {
        const char* was;
        bool anhaengen;
        // What the killed program did after writing the copy: to the data file, and to the copy.
        std::function<void(const std::string& datei, std::size_t offset, const std::string& kopie)> tun;
        enum { Alt, Neu, Gelassen } danach; // the old file, the new record whole, or as the kill left it
    };
    const Fall faelle[] = {
        {"killed before the write", false, [](auto&, auto, auto&) {}, Fall::Alt},
        {"overwrite cut short", false,
         [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu.substr(0, 1000)); }, Fall::Alt},
        {"overwrite whole, the copy not yet removed", false,
         [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu); }, Fall::Neu},
        {"append cut short", true,
         [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu.substr(0, 2000)); }, Fall::Alt},
        {"append whole", true, [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o, neu); }, Fall::Neu},
        // Killed while writing the copy, before the file was touched: the copy is of no use.
        {"the copy cut short", false,
         [&](auto&, auto, const std::string& k) { fs::resize_file(k, fs::file_size(k) - 9); }, Fall::Alt},
        // Bytes that no interrupted write of the copy's record can have left: not the copy's business.
        {"the place holds something else", false,
         [&](const std::string& d, std::size_t o, auto&) { schreibenBei(d, o + 5, "fremd"); }, Fall::Gelassen},
    };
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
        {
            GesperrteDatei datei(pfad, Sperrart::Schreiben);
            const std::string ersetzt = fall.anhaengen ? rest : alt;
            Sicherung kopie(datei, off_t(offset), std::int64_t(vorher.size()),
                            {reinterpret_cast<const unsigned char*>(ersetzt.data()), ersetzt.size()},
                            {reinterpret_cast<const unsigned char*>(neu.data()), neu.size()});
            ASSERT_TRUE(fs::exists(sicherungsPfad(datei)));
            fall.tun(pfad, offset, sicherungsPfad(datei));
        }
        const std::string getan = dateiInhalt(pfad);
        DatenDatei(pfad).anzahlSaetze(); // a reader finds the copy first

        EXPECT_TRUE(dateiInhalt(pfad) == (fall.danach == Fall::Alt   ? vorher
                                          : fall.danach == Fall::Neu ? nachher
                                                                     : getan));
        EXPECT_EQ(std::distance(fs::directory_iterator(ordner.wurzel()), {}), 1) << "the copy is gone";
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
