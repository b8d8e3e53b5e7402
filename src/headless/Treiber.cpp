#include "headless/Treiber.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace fkb {
namespace {

// Only the exact forms "dd.mm.yyyy" and "dd.mm.yyyy hh:mm:ss": a script that writes "1.2.2026"
// most likely meant something else, and should hear so.
bool zeitpunktLesen(const Json& wert, bool mitUhrzeit, Zeitpunkt& ziel) {
    static constexpr std::string_view muster = "99.99.9999 99:99:99";
    if (!wert.is_string())
        return false;
    const std::string& text = wert.get_ref<const std::string&>();
    if (text.size() != 10 && !(mitUhrzeit && text.size() == muster.size()))
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool passt = muster[i] == '9' ? std::isdigit(static_cast<unsigned char>(text[i])) != 0 : text[i] == muster[i];
        if (!passt)
            return false;
    }
    return Zeitpunkt::ausText(text, ziel);
}

// A 0-based line or node index that exists among `anzahl`.
bool indexLesen(const Json& wert, std::size_t anzahl, int& ziel) {
    if (!wert.is_number_integer())
        return false;
    auto i = wert.get<std::int64_t>();
    if (i < 0 || std::uint64_t(i) >= anzahl)
        return false;
    ziel = int(i);
    return true;
}

// No command nests deeper than a few levels; a line that does would exhaust the stack when its value
// is written back into a message.
bool zuTiefVerschachtelt(std::string_view text) {
    constexpr int Grenze = 64;
    int tiefe = 0;
    bool imText = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (imText) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                imText = false;
        } else if (c == '"') {
            imText = true;
        } else if (c == '{' || c == '[') {
            if (++tiefe > Grenze)
                return true;
        } else if (c == '}' || c == ']') {
            --tiefe;
        }
    }
    return false;
}

// A zero byte would cut a path short at the system's interface while the script meant the whole text.
bool enthaeltNullzeichen(const Json& wert) {
    if (wert.is_string())
        return wert.get_ref<const std::string&>().find('\0') != std::string::npos;
    for (auto it = wert.begin(); wert.is_structured() && it != wert.end(); ++it)
        if ((wert.is_object() && it.key().find('\0') != std::string::npos) || enthaeltNullzeichen(*it))
            return true;
    return false;
}

} // namespace

Treiber::Treiber(std::ostream& ereignisse) : kanal_(ereignisse), plattform_(kanal_) {}

Treiber::~Treiber() = default;

Treiber::Befehl Treiber::befehlVon(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, Befehl>, 14> befehle = {{
        {"uhr", &Treiber::uhr},
        {"antwort", &Treiber::antwort},
        {"dialog", &Treiber::dialog},
        {"druckdialog", &Treiber::druckdialog},
        {"pdf", &Treiber::pdf},
        {"start", &Treiber::start},
        {"klick", &Treiber::klick},
        {"eingabe", &Treiber::eingabe},
        {"waehle", &Treiber::waehle},
        {"kalender", &Treiber::kalender},
        {"schritt", &Treiber::schritt},
        {"seite", &Treiber::seite},
        {"schliessen", &Treiber::schliessen},
        {"zustand", &Treiber::zustandMelden},
    }};
    for (const auto& [n, befehl] : befehle)
        if (n == name)
            return befehl;
    return nullptr;
}

bool Treiber::zeile(std::string_view text) {
    if (zuTiefVerschachtelt(text)) {
        fehlergrund_ = "zu tief verschachtelt";
        return false;
    }
    Json befehl = Json::parse(text.begin(), text.end(), nullptr, false);
    if (befehl.is_discarded()) {
        fehlergrund_ = "kein gültiges JSON";
        return false;
    }
    if (enthaeltNullzeichen(befehl)) {
        fehlergrund_ = "Nullzeichen in einem Text";
        return false;
    }
    if (!befehl.is_object() || befehl.size() != 1) {
        fehlergrund_ = "erwartet ein JSON-Objekt mit genau einem Befehl";
        return false;
    }
    auto eintrag = befehl.begin();
    Befehl ausfuehren = befehlVon(eintrag.key());
    if (!ausfuehren) {
        fehlergrund_ = "unbekannter Befehl \"" + eintrag.key() + "\"";
        return false;
    }
    (this->*ausfuehren)(eintrag.value());
    return true;
}

int Treiber::abspielen(std::istream& skript, std::ostream& meldungen) {
    std::string text;
    for (long nummer = 1; std::getline(skript, text); ++nummer) {
        if (text.find_first_not_of(" \t\r\n") == std::string::npos)
            continue;
        if (!zeile(text)) {
            meldungen << "fakturbuch-headless: Zeile " << nummer << ": " << fehlergrund_ << std::endl;
            return 2;
        }
    }
    return 0;
}

bool Treiber::laeuft() {
    if (!formular_) {
        kanal_.fehler("Programm ist nicht gestartet");
        return false;
    }
    if (formular_->Beendet) {
        kanal_.fehler("Programm ist beendet");
        return false;
    }
    return true;
}

bool Treiber::unerreichbar(const Steuerelement& s) {
    if (s.bedienbar())
        return false;
    kanal_.senden({{"ignoriert", s.name}});
    return true;
}

// --- queued answers and settings: allowed before the start -------------------------------

void Treiber::uhr(const Json& wert) {
    Zeitpunkt zeit;
    if (!zeitpunktLesen(wert, true, zeit))
        return kanal_.fehler("uhr erwartet \"dd.mm.yyyy hh:mm:ss\"");
    plattform_.uhr = zeit;
}

void Treiber::antwort(const Json& wert) {
    if (wert == "ja" || wert == "nein")
        plattform_.antworten.push_back(wert == "ja");
    else
        kanal_.fehler("antwort erwartet \"ja\" oder \"nein\"");
}

void Treiber::dialog(const Json& wert) {
    if (wert.is_string())
        plattform_.dialoge.emplace_back(wert.get<std::string>());
    else if (wert.is_null())
        plattform_.dialoge.emplace_back(std::nullopt);
    else
        kanal_.fehler("dialog erwartet einen Pfad oder null");
}

void Treiber::druckdialog(const Json& wert) {
    if (wert.is_boolean())
        plattform_.druckdialoge.push_back(wert.get<bool>());
    else
        kanal_.fehler("druckdialog erwartet true oder false");
}

void Treiber::pdf(const Json& wert) {
    if (wert.is_string())
        plattform_.pdf = wert.get<std::string>();
    else if (wert.is_null())
        plattform_.pdf.reset();
    else
        kanal_.fehler("pdf erwartet einen Pfad");
}

// --- the program ---------------------------------------------------------------------------

void Treiber::start(const Json&) {
    if (formular_)
        return kanal_.fehler(formular_->Beendet ? "Programm ist beendet" : "Programm läuft bereits");
    formular_ = std::make_unique<TFKB_Formular>(plattform_);
    formular_->starten();
}

void Treiber::klick(const Json& wert) {
    if (!laeuft())
        return;
    if (!wert.is_string())
        return kanal_.fehler("klick erwartet den Namen eines Steuerelements");
    const std::string& name = wert.get_ref<const std::string&>();
    switch (formular_->klick(name)) {
    case Aktion::Ignoriert:
        kanal_.senden({{"ignoriert", name}});
        break;
    case Aktion::Unbekannt:
        kanal_.fehler("unbekanntes Steuerelement \"" + name + "\"");
        break;
    case Aktion::Ausgefuehrt:
    case Aktion::NichtEingebbar:
        break;
    }
}

void Treiber::eingabe(const Json& wert) {
    if (!laeuft())
        return;
    if (!wert.is_object())
        return kanal_.fehler("eingabe erwartet ein Objekt {\"FELD\": \"TEXT\", …}");
    for (const auto& [feld, text] : wert.items()) {
        if (!laeuft())
            return;
        if (!text.is_string()) {
            kanal_.fehler("eingabe: Text für \"" + feld + "\" erwartet");
            continue;
        }
        switch (formular_->eingeben(feld, text.get_ref<const std::string&>(), true)) {
        case Aktion::Unbekannt:
            kanal_.fehler("unbekanntes Steuerelement \"" + feld + "\"");
            break;
        case Aktion::NichtEingebbar:
            kanal_.fehler("\"" + feld + "\" ist nicht eingebbar");
            break;
        case Aktion::Ausgefuehrt:
        case Aktion::Ignoriert:
            break;
        }
    }
}

void Treiber::waehle(const Json& wert) {
    if (!laeuft())
        return;
    if (!wert.is_object())
        return kanal_.fehler("waehle erwartet ein Objekt {\"LISTE\": AUSWAHL}");
    for (const auto& [name, auswahl] : wert.items()) {
        if (!laeuft())
            return;
        Steuerelement* s = formular_->finden(name);
        if (!s) {
            kanal_.fehler("unbekanntes Steuerelement \"" + name + "\"");
            continue;
        }
        Befehl wahl = s == &formular_->ListBoxObjekt       ? &Treiber::waehleListe
                      : s == &formular_->Baum              ? &Treiber::waehleBaum
                      : s == &formular_->ComboBoxKategorie ? &Treiber::waehleKategorie
                      : s == &formular_->ListBoxFahndung   ? &Treiber::waehleFahndung
                                                           : nullptr;
        if (!wahl)
            kanal_.fehler("\"" + name + "\" ist keine Liste");
        else if (!unerreichbar(*s))
            (this->*wahl)(auswahl);
    }
}

void Treiber::waehleListe(const Json& wert) {
    int zeile = 0;
    if (!indexLesen(wert, formular_->ListeObjekt.zeilen.size(), zeile))
        return kanal_.fehler("ListBoxObjekt hat keine Zeile " + wert.dump());
    formular_->waehleListe(zeile);
}

void Treiber::waehleBaum(const Json& wert) {
    const auto& wurzeln = formular_->BaumInhalt.wurzeln;
    int wurzel = 0, kind = -1;
    bool gefunden = wert.is_array() && (wert.size() == 1 || wert.size() == 2) &&
                    indexLesen(wert[0], wurzeln.size(), wurzel) &&
                    (wert.size() == 1 || indexLesen(wert[1], wurzeln[std::size_t(wurzel)].kinder.size(), kind));
    if (!gefunden)
        return kanal_.fehler("Baum hat keinen Knoten " + wert.dump());
    formular_->waehleBaum(wurzel, kind);
}

void Treiber::waehleKategorie(const Json& wert) {
    const auto& eintraege = formular_->KategorieListe.eintraege;
    if (!wert.is_string() || std::find(eintraege.begin(), eintraege.end(), wert.get<std::string>()) == eintraege.end())
        return kanal_.fehler("ComboBoxKategorie hat keinen Eintrag " + wert.dump());
    formular_->waehleKategorie(wert.get<std::string>());
}

void Treiber::waehleFahndung(const Json& wert) {
    int zeile = -1;
    if (!wert.is_null() && !indexLesen(wert, formular_->ListeFahndung.zeilen.size(), zeile))
        return kanal_.fehler("ListBoxFahndung hat keine Zeile " + wert.dump());
    formular_->waehleFahndung(zeile);
}

void Treiber::kalender(const Json& wert) {
    if (!laeuft())
        return;
    if (!wert.is_object())
        return kanal_.fehler("kalender erwartet ein Objekt {\"MonthCalendarVon\": \"dd.mm.yyyy\", …}");
    for (const auto& [name, datumText] : wert.items()) {
        Steuerelement* s = formular_->finden(name);
        if (s != &formular_->MonthCalendarVon && s != &formular_->MonthCalendarBis) {
            kanal_.fehler("\"" + name + "\" ist kein Kalender");
            continue;
        }
        Zeitpunkt datum;
        if (!zeitpunktLesen(datumText, false, datum))
            kanal_.fehler(name + ": kein gültiges Datum " + datumText.dump());
        else if (!unerreichbar(*s))
            formular_->setzeKalender(*s, datum);
    }
}

void Treiber::schritt(const Json& wert) {
    if (!laeuft())
        return;
    if (!wert.is_object())
        return kanal_.fehler("schritt erwartet ein Objekt {\"UpDownKunde\": \"auf\"}");
    for (const auto& [name, richtung] : wert.items()) {
        if (!laeuft())
            return;
        Steuerelement* s = formular_->finden(name);
        if (s != &formular_->UpDownKunde && s != &formular_->UpDownRechnung)
            kanal_.fehler("\"" + name + "\" ist kein Schrittregler");
        else if (richtung != "auf" && richtung != "ab")
            kanal_.fehler(name + ": Schritt \"auf\" oder \"ab\" erwartet");
        else if (!unerreichbar(*s))
            formular_->schritt(*s, richtung == "auf");
    }
}

void Treiber::seite(const Json& wert) {
    if (!laeuft())
        return;
    if (!wert.is_string() || !formular_->seiteWaehlen(wert.get_ref<const std::string&>()))
        kanal_.fehler("keine Seite " + wert.dump());
}

void Treiber::schliessen(const Json&) {
    if (laeuft())
        formular_->schliessen();
}

void Treiber::zustandMelden(const Json&) {
    if (laeuft())
        kanal_.senden({{"zustand", zustand(*formular_)}});
}

} // namespace fkb
