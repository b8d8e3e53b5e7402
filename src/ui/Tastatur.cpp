#include "ui/Tastatur.h"

#include <map>
#include <string>

namespace fkb::ui {

std::optional<QString> kuerzelVor(std::string_view name) {
    // The menu bar holds D, O and H; the two e-invoice items of the file menu E and P; the record buttons beside every
    // page N, S and L. The customer page's field buttons share their few letters so that each gets its own (Herr takes
    // R, since EU and the two "Heute" need E, U and T).
    static const std::map<std::string, QString, std::less<>> vor = {
        {"SpeichernUnter", QStringLiteral("unter")},
        {"ZUGFeRDExportieren", QStringLiteral("PDF")},
        {"FKBHilfe", QStringLiteral("Hilfe")},
        {"Satz_Neu", QStringLiteral("Neu")},
        {"Satz_Speichern", QStringLiteral("schreiben")},
        {"Satz_Loeschen", QStringLiteral("Loeschen")},
        {"SpeedButtonKundenNummer", QStringLiteral("1")},
        {"SpeedButtonRechnungsNummer", QStringLiteral("+1")},
        {"ButtonHerr", QStringLiteral("rr")},
        {"ButtonFrau", QStringLiteral("Frau")},
        {"ButtonFirma", QStringLiteral("ma")},
        {"ButtonAngebot", QStringLiteral("A=")},
        {"ButtonRechnung", QStringLiteral("chnung")},
        {"ButtonBezahlt", QStringLiteral("zahlte")},
        {"ButtonBRD", QStringLiteral("BRD")},
        {"ButtonEU", QStringLiteral("EU")},
        {"ButtonDrittland", QStringLiteral("ittland")},
        {"SpeedButtonLeistungsDatum", QStringLiteral("ute")},
        {"SpeedButtonRechnungsDatum", QStringLiteral("te")},
        {"SpeedButtonPruefung", QString::fromUtf8("Prüfen")},
    };
    auto it = vor.find(name);
    if (it == vor.end())
        return std::nullopt;
    return it->second;
}

QKeySequence tastenkuerzel(std::string_view name) {
    static const std::map<std::string, QKeySequence, std::less<>> tasten = {
        {"Neu", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"Oeffnen", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"SpeichernUnter", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"Beenden", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    auto it = tasten.find(name);
    return it == tasten.end() ? QKeySequence() : it->second;
}

QString statusHinweis(std::string_view name) {
    // Ctrl+S out of habit compacted the file and emptied the form; the command has no key now, and the
    // status bar says what it does.
    if (name == "Speichern" || name == "SpeedButtonSpeichern")
        return QString::fromUtf8("entfernt gelöschte Sätze aus der Datei");
    return {};
}

} // namespace fkb::ui
