#include "erechnung/Codelisten.h"

#include <algorithm>
#include <utility>

namespace fkb {
namespace {

// A code and, separated by blanks, the keys (as Suchschluessel gives them) that lead to it.
using Eintrag = std::pair<std::string_view, std::string_view>;

// ME holds three characters; the longer keys serve typed-in codes and whole words in data from elsewhere.
// An empty ME is "one" of whatever the line names.
constexpr Eintrag Einheiten[] = {
    {"C62", "c62 eh einheit"},
    {"H87", "stk st stck stueck h87"},
    {"HUR", "std h stunde stunden hur"},
    {"MIN", "min minute minuten"},
    {"DAY", "tag tg tage day"},
    {"WEE", "wo woche wee"},
    {"MON", "mon monat"},
    {"MTR", "m mtr lfm meter"},
    {"KMT", "km kmt"},
    {"CMT", "cm cmt"},
    {"MMT", "mm mmt"},
    {"MTK", "m² m2 qm mtk"},
    {"MTQ", "m³ m3 cbm mtq"},
    {"KGM", "kg kgm"},
    {"GRM", "g grm"},
    {"TNE", "t to tne"},
    {"LTR", "l ltr liter"},
    {"MLT", "ml mlt"},
    {"LS", "pau psch pschl pauschal ls"},
    {"SET", "set satz"},
    {"PR", "pr paa paar"},
};

// German and English names, common short forms and the old address letters ("D-10115 Berlin").
// The ISO code typed directly leads to each of them as well.
constexpr Eintrag Laender[] = {
    {"DE", "deutschland brd bundesrepublikdeutschland germany d"},
    {"AT", "oesterreich austria a"},
    {"CH", "schweiz switzerland suisse svizzera"},
    {"LI", "liechtenstein fl"},
    {"FR", "frankreich france f"},
    {"NL", "niederlande holland nederland netherlands"},
    {"BE", "belgien belgium belgique belgie b"},
    {"LU", "luxemburg luxembourg l"},
    {"IT", "italien italy italia i"},
    {"ES", "spanien spain espana e"},
    {"PT", "portugal p"},
    {"DK", "daenemark denmark danmark"},
    {"SE", "schweden sweden sverige s"},
    {"FI", "finnland finland suomi fin"},
    {"NO", "norwegen norway norge n"},
    {"IS", "island iceland"},
    {"IE", "irland ireland irl"},
    {"GB", "grossbritannien vereinigteskoenigreich unitedkingdom england schottland wales nordirland uk"},
    {"PL", "polen poland polska"},
    {"CZ", "tschechien tschechischerepublik czechia czechrepublic"},
    {"SK", "slowakei slovakia"},
    {"HU", "ungarn hungary h"},
    {"SI", "slowenien slovenia slo"},
    {"HR", "kroatien croatia hrvatska"},
    {"RO", "rumaenien romania"},
    {"BG", "bulgarien bulgaria"},
    {"GR", "griechenland greece el"},
    {"CY", "zypern cyprus"},
    {"MT", "malta"},
    {"EE", "estland estonia"},
    {"LV", "lettland latvia"},
    {"LT", "litauen lithuania"},
    {"MC", "monaco"},
    {"AD", "andorra"},
    {"SM", "sanmarino"},
    {"RS", "serbien"},
    {"BA", "bosnienundherzegowina bosnienherzegowina"},
    {"ME", "montenegro"},
    {"MK", "nordmazedonien"},
    {"AL", "albanien"},
    {"XK", "kosovo"},
    {"UA", "ukraine"},
    {"MD", "moldau"},
    {"RU", "russland"},
    {"TR", "tuerkei turkey"},
    {"US", "usa vereinigtestaaten vereinigtestaatenvonamerika unitedstates amerika"},
    {"CA", "kanada canada"},
    {"CN", "china"},
    {"JP", "japan"},
    {"AU", "australien australia"},
};

bool fuehrtZu(const Eintrag& e, std::string_view schluessel) {
    for (std::size_t anfang = 0; anfang <= e.second.size();) {
        const std::size_t ende = std::min(e.second.find(' ', anfang), e.second.size());
        if (e.second.substr(anfang, ende - anfang) == schluessel)
            return true;
        anfang = ende + 1;
    }
    return false;
}

template <std::size_t N>
std::optional<std::string_view> nachschlagen(const Eintrag (&tabelle)[N], std::string_view schluessel) {
    for (const Eintrag& e : tabelle)
        if (fuehrtZu(e, schluessel))
            return e.first;
    return std::nullopt;
}

bool leer(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

} // namespace

std::string Suchschluessel(std::string_view text) {
    std::string schluessel;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z')
            schluessel += char(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            schluessel += char(c);
        else if (c == 0xC3 && i + 1 < text.size()) {
            // ä ö ü ß and their capitals, written out so that "Oesterreich" finds "Österreich"
            const auto d = static_cast<unsigned char>(text[++i]);
            if (d == 0xA4 || d == 0x84)
                schluessel += "ae";
            else if (d == 0xB6 || d == 0x96)
                schluessel += "oe";
            else if (d == 0xBC || d == 0x9C)
                schluessel += "ue";
            else if (d == 0x9F)
                schluessel += "ss";
            else if (d == 0xB1 || d == 0x91) // ñ
                schluessel += "n";
        } else if (c == 0xC2 && i + 1 < text.size()) {
            const auto d = static_cast<unsigned char>(text[++i]);
            if (d == 0xB2 || d == 0xB3) // ² ³
                schluessel.append(text.substr(i - 1, 2));
        }
    }
    return schluessel;
}

std::optional<std::string_view> EinheitenCode(std::string_view me) {
    if (leer(me))
        return "C62";
    return nachschlagen(Einheiten, Suchschluessel(me));
}

std::optional<std::string_view> LaenderCode(std::string_view land) {
    if (leer(land))
        return "DE";
    const std::string schluessel = Suchschluessel(land);
    if (auto code = nachschlagen(Laender, schluessel))
        return code;
    // An ISO code typed directly.
    for (const Eintrag& e : Laender)
        if (Suchschluessel(e.first) == schluessel)
            return e.first;
    return std::nullopt;
}

} // namespace fkb
