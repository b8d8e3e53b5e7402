#include "Datenwerkzeug.h"
#include "data/DatenSatz.h"
#include "data/Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace fkb;
using namespace fkb::test;

namespace {

std::string bytesAb(const DatenSatz& s, std::size_t offset, std::size_t n) {
    return {reinterpret_cast<const char*>(s.bytes.data()) + offset, n};
}

// Writes a full-capacity text (or a letter) and checks where its bytes landed.
void erwarteLage(Feld feld, std::size_t offset, std::size_t kapazitaet) {
    DatenSatz s;
    if (kapazitaet == 0) {
        s.setzeZeichen(feld, 'Q');
        EXPECT_EQ(s.bytes[offset], 'Q') << offset;
        return;
    }
    std::string voll(kapazitaet, 'x');
    s.setzeText(feld, voll + "zu viel");
    EXPECT_EQ(s.bytes[offset], kapazitaet) << offset;
    EXPECT_EQ(bytesAb(s, offset + 1, kapazitaet), voll) << offset;
}

} // namespace

TEST(DatenSatz, JedesFeldLiegtAnSeinemOffset) {
    // The fields before and after the positions, in file order; capacity 0 is a single letter.
    const std::size_t offsets[] = {0,   6,   12,  43,  74,  105, 136, 177,  183,  189,  220,  251,  282,  313,  344,
                                   375, 406, 662, 669, 670, 681, 682, 2548, 2555, 2562, 2569, 2600, 2611, 2622, 2633};
    const std::size_t kapazitaeten[] = {5,  5,   30, 30, 30, 30, 40, 5, 5, 30, 30, 30, 30, 30, 30,
                                        30, 255, 6,  0,  10, 0,  15, 6, 6, 6,  30, 10, 10, 10, 8};
    std::vector<Feld> felder = alleFelder();
    ASSERT_EQ(felder.size(), 22u + 100u + 8u);
    std::size_t summe = 0;
    for (Feld f : felder)
        summe += f.bytes();
    EXPECT_EQ(summe, DatenSatz::Groesse) << "no gap, no overlap";
    for (std::size_t i = 0; i < 30; ++i)
        erwarteLage(felder[i < 22 ? i : i + 100], offsets[i], kapazitaeten[i]);
    for (int k = 1; k <= 25; ++k) {
        std::size_t zeile = 698 + 74 * std::size_t(k - 1);
        erwarteLage(SatzFeld::Position(k), zeile, 50);
        erwarteLage(SatzFeld::ME(k), zeile + 51, 3);
        erwarteLage(SatzFeld::Menge(k), zeile + 55, 7);
        erwarteLage(SatzFeld::Preis(k), zeile + 63, 10);
    }
    // The examples written out.
    erwarteLage(SatzFeld::ME(1), 749, 3);
    erwarteLage(SatzFeld::Menge(1), 753, 7);
    erwarteLage(SatzFeld::Preis(1), 761, 10);
    erwarteLage(SatzFeld::Position(2), 772, 50);
    erwarteLage(SatzFeld::Preis(25), 2537, 10);
}

TEST(DatenSatz, KuerztAufKapazitaetInZeichen) {
    struct Fall {
        std::string eingabe;
        Feld feld;
        std::string gespeichert;
        std::string bytes;
    };
    std::string ae, ae30;
    for (int i = 0; i < 40; ++i)
        (i < 30 ? ae30 : ae) += "ä";
    ae = ae30 + ae;
    const std::vector<Fall> faelle = {
        {"123456", SatzFeld::KundenNummer, "12345", "12345"},
        {ae, SatzFeld::Name, ae30, std::string(30, '\xE4')},
        {std::string(300, 'b'), SatzFeld::Bemerkung, std::string(255, 'b'), std::string(255, 'b')},
        {"9.999,9", SatzFeld::Menge(7), "9.999,9", "9.999,9"},
        {"999.999,99", SatzFeld::Preis(7), "999.999,99", "999.999,99"},
        {"€€€€€€€€", SatzFeld::VersandKosten, "€€€€€€", std::string(6, '\x80')},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eingabe);
        DatenSatz s;
        s.setzeText(f.feld, f.eingabe);
        EXPECT_EQ(s.text(f.feld), f.gespeichert);
        EXPECT_EQ(std::string(s.roh(f.feld)), f.bytes);
        EXPECT_EQ(s.bytes[f.feld.offset + f.feld.bytes()], 0) << "the next field is untouched";
    }
}

TEST(DatenSatz, KuerzererTextLaesstDieBytesDahinterStehen) {
    DatenSatz s;
    s.setzeText(SatzFeld::Name, "Mustermann");
    s.setzeText(SatzFeld::Name, "Max");
    EXPECT_EQ(s.text(SatzFeld::Name), "Max");
    EXPECT_EQ(bytesAb(s, SatzFeld::Name.offset, 11), std::string("\x03Maxtermann", 11));
    s.setzeText(SatzFeld::Name, "");
    EXPECT_EQ(bytesAb(s, SatzFeld::Name.offset, 11), std::string("\x00Maxtermann", 11));
}

TEST(DatenSatz, LaengenbyteUeberDerKapazitaetWirdBegrenzt) {
    struct Fall {
        Feld feld;
        unsigned char laenge;
        std::size_t gelesen;
    };
    for (const Fall& f : {Fall{SatzFeld::KundenNummer, 6, 5}, Fall{SatzFeld::Name, 200, 30},
                          Fall{SatzFeld::Name, 255, 30}, Fall{SatzFeld::SystemStempelZeit, 255, 8},
                          Fall{SatzFeld::Bemerkung, 255, 255}, Fall{SatzFeld::Preis(25), 11, 10}}) {
        DatenSatz s;
        s.bytes.fill('7');
        s.bytes[f.feld.offset] = f.laenge;
        EXPECT_EQ(s.roh(f.feld).size(), f.gelesen);
        EXPECT_EQ(s.text(f.feld), std::string(f.gelesen, '7'));
    }
}

TEST(DatenSatz, Windows1252HinUndZurueck) {
    DatenSatz s;
    s.setzeText(SatzFeld::Name, "äöüÄÖÜß€");
    EXPECT_EQ(std::string(s.roh(SatzFeld::Name)), "\xE4\xF6\xFC\xC4\xD6\xDC\xDF\x80");
    EXPECT_EQ(s.text(SatzFeld::Name), "äöüÄÖÜß€");

    struct Zeichen {
        unsigned char byte;
        const char* utf8;
    };
    // The 0x80–0x9F block differs from Latin-1; the five undefined bytes keep their C1 code point.
    for (const Zeichen& z :
         {Zeichen{0x80, "€"}, Zeichen{0x81, "\u0081"}, Zeichen{0x8A, "Š"}, Zeichen{0x8D, "\u008D"},
          Zeichen{0x8F, "\u008F"}, Zeichen{0x90, "\u0090"}, Zeichen{0x93, "“"}, Zeichen{0x96, "–"},
          Zeichen{0x9D, "\u009D"}, Zeichen{0x9F, "Ÿ"}, Zeichen{0xA0, "\u00A0"}, Zeichen{0xFF, "ÿ"}}) {
        std::string byte(1, char(z.byte));
        EXPECT_EQ(ausWindows1252(byte), z.utf8) << int(z.byte);
        EXPECT_EQ(nachWindows1252(z.utf8), byte) << int(z.byte);
    }
    // Every byte value survives decoding and encoding again.
    std::string alle;
    for (int b = 1; b < 256; ++b)
        alle.push_back(char(b));
    EXPECT_EQ(nachWindows1252(ausWindows1252(alle)), alle);
}

TEST(DatenSatz, ZeichenAusserhalbVonWindows1252WirdFragezeichen) {
    struct Fall {
        std::string eingabe;
        std::string bytes;
    };
    for (const Fall& f : {Fall{"Ωmega", "?mega"}, Fall{"a😀b", "a?b"}, Fall{"\xC3", "?"}, Fall{"x\xE2\x82y", "x??y"},
                          Fall{"Łódź", "?\xF3"
                                       "d?"}}) {
        DatenSatz s;
        s.setzeText(SatzFeld::Ort, f.eingabe);
        EXPECT_EQ(std::string(s.roh(SatzFeld::Ort)), f.bytes) << f.eingabe;
    }
    // A character that becomes '?' still counts as one character against the capacity.
    std::string viele;
    for (int i = 0; i < 10; ++i)
        viele += "😀";
    DatenSatz s;
    s.setzeText(SatzFeld::PLZ, viele);
    EXPECT_EQ(s.text(SatzFeld::PLZ), "?????");
}

TEST(DatenSatz, KennbuchstabeUndNullbyte) {
    DatenSatz s;
    EXPECT_EQ(s.zeichenText(SatzFeld::LieferKennzeichen), "") << "a zero byte is no letter";
    struct Fall {
        const char* text;
        unsigned char byte;
        const char* gelesen;
    };
    for (const Fall& f : {Fall{"EU", 'E', "E"}, Fall{"Ä", 0xC4, "Ä"}, Fall{"€x", 0x80, "€"}, Fall{"", 0, ""}}) {
        s.setzeZeichenText(SatzFeld::RechnungsKennZeichen, f.text);
        EXPECT_EQ(s.bytes[669], f.byte) << f.text;
        EXPECT_EQ(s.zeichenText(SatzFeld::RechnungsKennZeichen), f.gelesen);
        EXPECT_EQ(s.bytes[668], 0) << "no length byte in front";
    }
}
