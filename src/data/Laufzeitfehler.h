#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace fkb {

// An error that a command does not handle: it ends the command, and the dispatcher
// shows its text in an error box; the program goes on.
class Laufzeitfehler : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An input/output failure, carrying the runtime's German text.
class EAFehler : public Laufzeitfehler {
public:
    explicit EAFehler(int fehlernummer);
    // The error of reading behind the last record.
    static EAFehler hinterDemDateiende();
    // Another program holds the data file's lock longer than a command waits for it.
    static EAFehler dateiBelegt();
    bool belegt() const;

    int fehlernummer() const { return nummer_; }
    // The same error with one more line of text.
    EAFehler mitZusatz(const std::string& zeile) const { return EAFehler(nummer_, std::string(what()) + "\r" + zeile); }

private:
    EAFehler(int nummer, const std::string& text) : Laufzeitfehler(text), nummer_(nummer) {}
    int nummer_;
};

// A failed integer conversion: "'%s' ist kein gültiger Integerwert".
class KonvertierungsFehler : public Laufzeitfehler {
public:
    explicit KonvertierungsFehler(std::string_view text);
};

// The German text of the runtime for a system error number.
std::string eaFehlerText(int fehlernummer);

// Converts a whole text to a signed 32-bit integer as the runtime does: blanks in
// front, an optional sign, decimal digits or '$' / "0x" and hex digits, nothing behind.
int textZuInt(std::string_view text);

} // namespace fkb
