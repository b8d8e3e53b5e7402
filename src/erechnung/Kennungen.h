#pragma once

#include <array>
#include <string>
#include <string_view>

// Reading and checking the identifiers an e-invoice carries: VAT ids, IBAN, BIC, e-mail, phone.
namespace fkb {

// The value of the first footer line whose label begins with `kennung`: the text behind the first
// colon, or behind the first word when there is no colon ("IBAN    : DE89 3704 …", "UstID DE123…").
// Only the letters of the label count, in any case: "USt-IdNr." begins with "ustid". Empty when no
// line has the label.
std::string FusszeilenWert(const std::array<std::string, 6>& zeilen, std::string_view kennung);

// Letters and digits only, letters in upper case: "de 123 456 789" becomes "DE123456789".
std::string KennungBereinigen(std::string_view text);

// A cleaned VAT id with the prefix of an EU country (Greece as EL or GR) and 2 to 12 more letters
// or digits, at least one a digit.
bool UstIdGueltig(std::string_view ustId);
// A cleaned IBAN: country letters, check digits, 11 to 30 more letters or digits, and the check
// digits right (modulo 97).
bool IbanGueltig(std::string_view iban);
// A cleaned BIC of 8 or 11 characters: bank code and country letters, then letters or digits.
bool BicGueltig(std::string_view bic);
// One @ with something on both sides, a dot in the domain, and no blank.
bool MailGueltig(std::string_view mail);
// At least three digits.
bool TelefonGueltig(std::string_view telefon);

// The text without blanks in front and behind.
std::string_view ohneRandBlanks(std::string_view text);

} // namespace fkb
