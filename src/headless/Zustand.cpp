// The answer to "zustand": everything the user could read off the main window.
#include "headless/Treiber.h"

#include <cmath>
#include <cstdint>

namespace fkb {
namespace {

// Amounts that are whole numbers read as such ("0", not "0.0"); others keep their full precision.
Json zahl(double wert) {
    if (std::isfinite(wert) && wert == std::trunc(wert) && std::fabs(wert) < 1e15)
        return std::int64_t(wert);
    return wert;
}

} // namespace

Json zustand(const TFKB_Formular& f) {
    Json steuerelemente = Json::object();
    for (const Steuerelement* s : f.alle()) {
        Json eintrag = {{"text", s->text}, {"aktiv", s->aktiv}, {"sichtbar", s->sichtbar}};
        if (s->abhakbar)
            eintrag["haken"] = s->haken;
        steuerelemente.emplace(s->name, std::move(eintrag));
    }

    Json baum = Json::array();
    for (const Baumknoten& k : f.BaumInhalt.wurzeln)
        baum.push_back({{"text", k.text}, {"kinder", k.kinder}});

    const RechnungsSummen& summen = f.Summen;
    return {
        {"datei", f.DateiName},
        {"titel", f.Caption},
        {"seite", f.AktiveSeite},
        {"EingabenOffen", f.EingabenOffen()},
        {"steuerelemente", std::move(steuerelemente)},
        {"ListBoxObjekt",
         {{"zeilen", f.ListeObjekt.zeilen}, {"auswahl", f.ListeObjekt.auswahl}, {"mehrfach", f.ListeObjekt.mehrfach}}},
        {"Baum", std::move(baum)},
        {"ComboBoxKategorie", {{"eintraege", f.KategorieListe.eintraege}, {"text", f.KategorieListe.text}}},
        {"ListBoxFahndung", {{"zeilen", f.ListeFahndung.zeilen}, {"auswahl", f.ListeFahndung.auswahl}}},
        {"kalender",
         {{"MonthCalendarVon", f.KalenderVon.datumText()}, {"MonthCalendarBis", f.KalenderBis.datumText()}}},
        {"vorlagen", {{"UpDownKunde", f.UpDownKundePosition}, {"UpDownRechnung", f.UpDownRechnungPosition}}},
        {"zaehler",
         {{"AnzahlSaetze", f.AnzahlSaetze},
          {"AnzahlKnoten", f.AnzahlKnoten},
          {"AnzahlKategorien", f.AnzahlKategorien},
          {"LetzteKundenNummer", f.LetzteKundenNummer},
          {"LetzteRechnungsNummer", f.LetzteRechnungsNummer},
          {"FahndungsAnzahl", f.FahndungsAnzahl}}},
        {"summen",
         {{"VersandKosten", zahl(summen.VersandKosten)},
          {"NachnameKosten", zahl(summen.NachnameKosten)},
          {"SonstigeKosten", zahl(summen.SonstigeKosten)},
          {"NettoWert", zahl(summen.NettoWert)},
          {"UstWert", zahl(summen.UstWert)},
          {"BruttoWert", zahl(summen.BruttoWert)}}},
    };
}

} // namespace fkb
