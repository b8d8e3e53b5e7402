#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Reading and checking the identifiers an e-invoice carries: VAT ids, IBAN, BIC, e-mail, phone.
namespace fkb {

// The value of the first footer line whose label begins with `kennung`: the text behind the first
// colon, or behind the first word when there is no colon ("IBAN    : DE89 3704 …", "UstID DE123…").
// Only the letters of the label count, in any case: "USt-IdNr." begins with "ustid". Empty when no
// line has the label.
std::string FusszeilenWert(const std::array<std::string, 6>& zeilen, std::string_view kennung);
// The same for several labels, and over any lines: the first line whose label begins with one of them.
std::string FusszeilenWert(const std::array<std::string, 6>& zeilen, std::initializer_list<std::string_view> kennungen);
std::string ZeilenWert(const std::vector<std::string>& zeilen, std::initializer_list<std::string_view> kennungen);
// The lines of a text written with CR, LF or both.
std::vector<std::string> TextZeilen(std::string_view text);
// The seller's entry in the commercial register from a footer line: the value of a line labelled
// "Handelsregister", or a whole line naming the court and the register ("Amtsgericht Köln HRB 1234").
std::string RegisterEintrag(const std::array<std::string, 6>& zeilen);

// Letters and digits only, letters in upper case: "de 123 456 789" becomes "DE123456789".
std::string KennungBereinigen(std::string_view text);

// A cleaned VAT id with the prefix of an EU country (Greece as EL or GR) and 2 to 12 more letters
// or digits, at least one a digit.
bool UstIdGueltig(std::string_view ustId);
// A German tax number as it is written: 10 to 13 digits, with blanks, slashes, hyphens or dots
// between them ("21/815/08150", "2181508150", "93815/08152").
bool SteuernummerGueltig(std::string_view steuernummer);
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
