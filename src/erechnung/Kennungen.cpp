#include "erechnung/Kennungen.h"

#include <algorithm>

namespace fkb {
namespace {

bool istBuchstabe(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool istZiffer(char c) {
    return c >= '0' && c <= '9';
}
bool istGross(char c) {
    return c >= 'A' && c <= 'Z';
}

std::string kleineBuchstaben(std::string_view text) {
    std::string buchstaben;
    for (char c : text)
        if (istBuchstabe(c))
            buchstaben += char(c | 0x20);
    return buchstaben;
}

// The label of a line ends at its first colon, or at its first blank when there is none.
std::size_t labelEnde(std::string_view text) {
    const auto schnitt = text.find(':');
    return schnitt != std::string_view::npos ? schnitt : std::min(text.find(' '), text.size());
}

template <class Zeilen>
std::string wertDerZeile(const Zeilen& zeilen, std::initializer_list<std::string_view> kennungen) {
    for (const std::string& zeile : zeilen) {
        const std::string_view text = ohneRandBlanks(zeile);
        const std::size_t schnitt = labelEnde(text);
        const std::string label = kleineBuchstaben(text.substr(0, schnitt));
        for (std::string_view kennung : kennungen)
            if (label.starts_with(kennung))
                return std::string(ohneRandBlanks(text.substr(std::min(schnitt + 1, text.size()))));
    }
    return {};
}

// The prefixes of VAT ids in the EU, Northern Ireland's XI among them.
constexpr std::string_view UstIdLaender[] = {"AT", "BE", "BG", "CY", "CZ", "DE", "DK", "EE", "EL", "ES",
                                             "FI", "FR", "GR", "HR", "HU", "IE", "IT", "LT", "LU", "LV",
                                             "MT", "NL", "PL", "PT", "RO", "SE", "SI", "SK", "XI"};

} // namespace

std::string_view ohneRandBlanks(std::string_view text) {
    const auto anfang = text.find_first_not_of(' ');
    if (anfang == std::string_view::npos)
        return {};
    return text.substr(anfang, text.find_last_not_of(' ') - anfang + 1);
}

std::string FusszeilenWert(const std::array<std::string, 6>& zeilen, std::string_view kennung) {
    return wertDerZeile(zeilen, {kennung});
}

std::string FusszeilenWert(const std::array<std::string, 6>& zeilen,
                           std::initializer_list<std::string_view> kennungen) {
    return wertDerZeile(zeilen, kennungen);
}

std::string ZeilenWert(const std::vector<std::string>& zeilen, std::initializer_list<std::string_view> kennungen) {
    return wertDerZeile(zeilen, kennungen);
}

std::vector<std::string> TextZeilen(std::string_view text) {
    std::vector<std::string> zeilen;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n')
            continue;
        zeilen.emplace_back(text.substr(anfang, i - anfang));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
            ++i;
        anfang = i + 1;
    }
    return zeilen;
}

std::string RegisterEintrag(const std::array<std::string, 6>& zeilen) {
    if (std::string eintrag = FusszeilenWert(zeilen, "handelsregister"); !eintrag.empty())
        return eintrag;
    for (const std::string& zeile : zeilen) {
        const std::string buchstaben = kleineBuchstaben(zeile);
        if (buchstaben.find("amtsgericht") != std::string::npos &&
            (buchstaben.find("hra") != std::string::npos || buchstaben.find("hrb") != std::string::npos))
            return std::string(ohneRandBlanks(zeile));
    }
    return {};
}

bool SteuernummerGueltig(std::string_view steuernummer) {
    const auto ziffern = std::count_if(steuernummer.begin(), steuernummer.end(), istZiffer);
    return ziffern >= 10 && ziffern <= 13 && istZiffer(steuernummer.front()) && istZiffer(steuernummer.back()) &&
           std::all_of(steuernummer.begin(), steuernummer.end(),
                       [](char c) { return istZiffer(c) || c == ' ' || c == '/' || c == '-' || c == '.'; });
}

std::string KennungBereinigen(std::string_view text) {
    std::string kennung;
    for (char c : text)
        if (istBuchstabe(c))
            kennung += char(c & ~0x20);
        else if (istZiffer(c))
            kennung += c;
    return kennung;
}

bool UstIdGueltig(std::string_view ustId) {
    if (ustId.size() < 4 || ustId.size() > 14)
        return false;
    if (std::find(std::begin(UstIdLaender), std::end(UstIdLaender), ustId.substr(0, 2)) == std::end(UstIdLaender))
        return false;
    const std::string_view rest = ustId.substr(2);
    return std::all_of(rest.begin(), rest.end(), [](char c) { return istGross(c) || istZiffer(c); }) &&
           std::any_of(rest.begin(), rest.end(), istZiffer);
}

bool IbanGueltig(std::string_view iban) {
    if (iban.size() < 15 || iban.size() > 34 || !istGross(iban[0]) || !istGross(iban[1]) || !istZiffer(iban[2]) ||
        !istZiffer(iban[3]))
        return false;
    // Country and check digits move to the end, letters count as 10 to 35; the whole number leaves 1.
    int rest = 0;
    for (std::size_t i = 0; i < iban.size(); ++i) {
        const char c = iban[(i + 4) % iban.size()];
        if (istZiffer(c))
            rest = (rest * 10 + (c - '0')) % 97;
        else if (istGross(c))
            rest = (rest * 100 + (c - 'A' + 10)) % 97;
        else
            return false;
    }
    return rest == 1;
}

bool BicGueltig(std::string_view bic) {
    if (bic.size() != 8 && bic.size() != 11)
        return false;
    return std::all_of(bic.begin(), bic.begin() + 6, istGross) &&
           std::all_of(bic.begin() + 6, bic.end(), [](char c) { return istGross(c) || istZiffer(c); });
}

bool MailGueltig(std::string_view mail) {
    const auto at = mail.find('@');
    if (at == std::string_view::npos || at == 0 || mail.find('@', at + 1) != std::string_view::npos)
        return false;
    const std::string_view domain = mail.substr(at + 1);
    const auto punkt = domain.find('.');
    return punkt != std::string_view::npos && punkt > 0 && punkt + 1 < domain.size() &&
           mail.find_first_of(" \t") == std::string_view::npos;
}

bool TelefonGueltig(std::string_view telefon) {
    return std::count_if(telefon.begin(), telefon.end(), istZiffer) >= 3;
}

} // namespace fkb
