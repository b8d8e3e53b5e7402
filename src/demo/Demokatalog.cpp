#include "demo/Demokatalog.h"

#include <array>

namespace fkb::demo {
namespace {

// Fiction telephone range of Frankfurt am Main: 069 90009 000 to 999.
const Kunde Kunden[] = {
    {"Herr", "", "Becker", "Thomas", "", "Lindenstraße", "14", "60389", "Frankfurt am Main", "Deutschland",
     "069 90009 201", "t.becker@mail.example", 'B', "", "Altbau, 3. OG ohne Aufzug"},
    {"Frau", "", "Hoffmann", "Sabine", "", "Am Mühlbach", "3", "61348", "Bad Homburg", "Deutschland", "069 90009 202",
     "sabine.hoffmann@mail.example", 'B', "", ""},
    {"Firma", "Hausverwaltung Lindner GmbH", "Lindner", "Petra", "z. Hd. Frau Lindner", "Kaiserstraße", "52", "60329",
     "Frankfurt am Main", "Deutschland", "069 90009 203", "info@lindner-hv.example", 'B', "",
     "Rechnungen bitte mit Objektangabe"},
    {"Herr", "", "Schäfer", "Jürgen", "", "Gartenweg", "7", "61440", "Oberursel (Taunus)", "Deutschland",
     "069 90009 204", "", 'B', "", "Schlüssel beim Nachbarn (Nr. 9)"},
    {"Frau", "", "Wagner", "Claudia", "", "Friedrich-Ebert-Straße", "88", "63065", "Offenbach am Main", "Deutschland",
     "069 90009 205", "c.wagner@mail.example", 'B', "", ""},
    {"Herr", "", "Koch", "Andreas", "Dr.", "Am Kirchberg", "21", "61118", "Bad Vilbel", "Deutschland", "069 90009 206",
     "koch.andreas@mail.example", 'B', "", ""},
    {"Frau", "", "Richter", "Monika", "", "Rosenweg", "2", "63263", "Neu-Isenburg", "Deutschland", "069 90009 207", "",
     'B', "", "Hund im Garten - vorher klingeln!"},
    {"Firma", "Café Sonnenschein", "Yilmaz", "Aylin", "Inhaberin", "Berger Straße", "141", "60385", "Frankfurt am Main",
     "Deutschland", "069 90009 208", "hallo@cafe-sonnenschein.example", 'B', "", "Arbeiten nur montags (Ruhetag)"},
    {"Herr", "", "Klein", "Stefan", "", "Schulstraße", "11", "63303", "Dreieich", "Deutschland", "069 90009 209",
     "stefan.klein@mail.example", 'B', "", ""},
    {"Frau", "", "Wolf", "Ursula", "", "Bahnhofstraße", "36", "61169", "Friedberg (Hessen)", "Deutschland",
     "069 90009 210", "", 'B', "", "zahlt bar bei Abnahme"},
    {"Herr", "", "Schröder", "Markus", "", "Eichendorffweg", "5", "65760", "Eschborn", "Deutschland", "069 90009 211",
     "m.schroeder@mail.example", 'B', "", ""},
    {"Firma", "Kita Regenbogen e.V.", "Neumann", "Katrin", "Leitung", "Am Sportfeld", "4", "63225", "Langen (Hessen)",
     "Deutschland", "069 90009 212", "kita@regenbogen.example", 'B', "", "Kantenschutz an allen Möbeln"},
    {"Herr", "", "Zimmermann", "Frank", "", "Hauptstraße", "102", "63477", "Maintal", "Deutschland", "069 90009 213",
     "frank.zimmermann@mail.example", 'B', "", ""},
    {"Frau", "", "Braun", "Heike", "", "Talstraße", "19", "61476", "Kronberg im Taunus", "Deutschland", "069 90009 214",
     "heike.braun@mail.example", 'B', "", ""},
    {"Herr", "", "Krüger", "Dieter", "", "Waldstraße", "63", "61462", "Königstein im Taunus", "Deutschland",
     "069 90009 215", "", 'B', "", "Einfahrt hinten benutzen"},
    {"Firma", "Praxis Dr. Özdemir", "Özdemir", "Selin", "Zahnarztpraxis", "Marktplatz", "8", "61184", "Karben",
     "Deutschland", "069 90009 216", "praxis@oezdemir.example", 'B', "", "Termine nur ab 18 Uhr"},
    {"Herr", "", "Hartmann", "Uwe", "", "Weiherstraße", "27", "63450", "Hanau", "Deutschland", "069 90009 217",
     "uwe.hartmann@mail.example", 'B', "", ""},
    {"Frau", "", "Lange", "Birgit", "", "Sandweg", "44", "60316", "Frankfurt am Main", "Deutschland", "069 90009 218",
     "b.lange@mail.example", 'B', "", ""},
    {"Herr", "", "Werner", "Klaus", "", "Brunnenstraße", "6", "61352", "Bad Homburg", "Deutschland", "069 90009 219",
     "", 'B', "", "Stammkunde seit 2015"},
    {"Firma", "Autohaus Berger KG", "Berger", "Michael", "Geschäftsführer", "Industriestraße", "30", "63128",
     "Dietzenbach", "Deutschland", "069 90009 220", "service@autohaus-berger.example", 'B', "",
     "Rechnung an die Buchhaltung"},
    {"Frau", "", "Krause", "Sandra", "", "Mainstraße", "12", "63069", "Offenbach am Main", "Deutschland",
     "069 90009 221", "sandra.krause@mail.example", 'B', "", ""},
    {"Herr", "", "Lehmann", "Oliver", "", "Fichtenweg", "3", "61381", "Friedrichsdorf", "Deutschland", "069 90009 222",
     "o.lehmann@mail.example", 'B', "", ""},
    {"Frau", "", "Köhler", "Renate", "", "Goethestraße", "17", "63150", "Heusenstamm", "Deutschland", "069 90009 223",
     "", 'B', "", "Rentnerin, Termine vormittags"},
    {"Herr", "", "Maier", "Wolfgang", "", "Am Hang", "9", "65812", "Bad Soden am Taunus", "Deutschland",
     "069 90009 224", "w.maier@mail.example", 'B', "", ""},
    {"Firma", "Weingut Fuchs", "Fuchs", "Martina", "", "Rheinstraße", "55", "65375", "Oestrich-Winkel", "Deutschland",
     "069 90009 225", "kontakt@weingut-fuchs.example", 'B', "", "Probierstube, Theke aus Eiche"},
    {"Herr", "", "Schwarz", "Daniel", "", "Ahornweg", "22", "61191", "Rosbach vor der Höhe", "Deutschland",
     "069 90009 226", "daniel.schwarz@mail.example", 'B', "", ""},
    // Deliveries into the EU go to businesses that give their VAT id.
    {"Firma", "Holzdesign Gruber GmbH", "Gruber", "Florian", "Einkauf", "Mariahilfer Straße", "120", "1070", "Wien",
     "Österreich", "", "einkauf@gruber-holz.example", 'E', "ATU73481526", ""},
    {"Firma", "Hotel Alpenblick", "Moser", "Christina", "", "Getreidegasse", "31", "5020", "Salzburg", "Österreich", "",
     "office@alpenblick.example", 'E', "ATU58219374", "Lieferung über Hintereingang"},
    {"Firma", "De Houten Tafel B.V.", "de Vries", "Jan", "", "Oudegracht", "212", "3511", "Utrecht", "Niederlande", "",
     "inkoop@houtentafel.example", 'E', "NL812345670B01", ""},
    {"Firma", "Atelier Weber S.à r.l.", "Weber", "Luc", "", "Grand-Rue", "18", "1660", "Luxembourg", "Luxemburg", "",
     "atelier@weber.example", 'E', "LU26375245", ""},
    {"Firma", "Møbelhuset Nielsen ApS", "Nielsen", "Mette", "", "Strøget", "40", "1160", "København", "Dänemark", "",
     "mette@moebelhuset.example", 'E', "DK13585628", ""},
    // Exports into third countries carry the customs tariff number of the goods.
    {"Firma", "Restaurant Zum Löwen AG", "Keller", "Beat", "", "Bahnhofstrasse", "77", "8001", "Zürich", "Schweiz", "",
     "beat.keller@loewen.example", 'D', "9403 60 10", "Zollpapiere mit der Ware senden"},
    {"Herr", "", "Brunner", "Reto", "", "Spalenberg", "12", "4051", "Basel", "Schweiz", "", "reto.brunner@mail.example",
     'D', "9403 60 10", ""},
    {"Firma", "Fjellhytte AS", "Hansen", "Lars", "", "Karl Johans gate", "15", "0154", "Oslo", "Norwegen", "",
     "lars@fjellhytte.example", 'D', "9403 40 90", "Versand per Spedition"},
    {"Firma", "Oak & Iron Ltd", "Taylor", "Emma", "", "Camden High Street", "210", "NW1", "London",
     "Vereinigtes Königreich", "", "emma@oakandiron.example", 'D', "9403 60 10", ""},
    {"Frau", "", "Keller", "Doris", "", "Bärengasse", "4", "3011", "Bern", "Schweiz", "", "doris.keller@mail.example",
     'D', "9403 30 11", ""},
};

const Zeile Innentueren[] = {
    {"Innentür Weißlack 86 x 198,5 cm, Röhrenspan", "Stk", 3, 289.00},
    {"Blockzarge Weißlack passend, Wandstärke 12 cm", "Stk", 3, 149.00},
    {"Drückergarnitur Edelstahl mit Rosetten", "Stk", 3, 39.90},
    {"Montage Türen und Zargen, Stundenlohn Geselle", "Std", 6, 52.00},
    {"Anfahrt", "Stk", 1, 35.00},
};
const Zeile Einbauschrank[] = {
    {"Aufmaß und Planung vor Ort, Stundenlohn Meister", "Std", 2, 68.00},
    {"Einbauschrank Dachschräge nach Maß, Eiche furniert", "Stk", 1, 2450.00},
    {"Schubkastenauszüge mit Dämpfung", "Stk", 4, 42.50},
    {"Montage, Stundenlohn Geselle", "Std", 7, 52.00},
    {"Anfahrt", "Stk", 2, 35.00},
};
const Zeile Kueche[] = {
    {"Arbeitsplatte Buche massiv 40 mm", "m", 4.2, 189.00},
    {"Ausschnitt Spüle und Kochfeld, Kanten versiegelt", "Stk", 2, 45.00},
    {"Montage Einbauküche, Stundenlohn Geselle", "Std", 10, 52.00},
    {"Kleinmaterial (Schrauben, Dübel, Silikon)", "Stk", 1, 28.40},
    {"Anfahrt", "Stk", 2, 35.00},
};
const Zeile Fenster[] = {
    {"Fensterwartung: Beschläge einstellen und ölen", "Stk", 8, 18.50},
    {"Dichtung erneuern, EPDM schwarz", "m", 24.5, 4.80},
    {"Griffoliven abschließbar", "Stk", 2, 24.90},
    {"Stundenlohn Geselle", "Std", 3, 52.00},
    {"Anfahrt", "Stk", 1, 35.00},
};
const Zeile Treppe[] = {
    {"Treppenstufen abschleifen und ölen", "Stk", 14, 38.00},
    {"Handlauf Eiche massiv, rund 45 mm", "m", 4.5, 79.00},
    {"Handlaufhalter Edelstahl", "Stk", 4, 16.80},
    {"Hartwachsöl farblos", "l", 2.5, 36.00},
    {"Stundenlohn Geselle", "Std", 12, 52.00},
    {"Anfahrt", "Stk", 3, 35.00},
};
const Zeile Reparatur[] = {
    {"Reparatur Haustür: Schloss und Zylinder getauscht", "", 0, 0},
    {"Profilzylinder 30/35 mm mit 3 Schlüsseln", "Stk", 1, 54.90},
    {"Einsteckschloss PZ 55 mm", "Stk", 1, 38.70},
    {"Stundenlohn Geselle", "Std", 1.5, 52.00},
    {"Anfahrt", "Stk", 1, 35.00},
};
const Zeile Parkett[] = {
    {"Eichenparkett Landhausdiele, geölt", "m²", 28.4, 64.90},
    {"Trittschalldämmung 2 mm", "m²", 28.4, 3.20},
    {"Sockelleiste Eiche 16 x 58 mm", "m", 24.5, 8.90},
    {"Verlegung schwimmend", "m²", 28.4, 22.00},
    {"Anfahrt", "Stk", 2, 35.00},
};
const Zeile Terrasse[] = {
    {"Terrassendielen Lärche 27 x 143 mm", "m²", 18, 59.00},
    {"Unterkonstruktion Lärche 45 x 70 mm", "m", 42, 6.40},
    {"Edelstahlschrauben A2, Packung 250 Stück", "Stk", 4, 29.90},
    {"Stundenlohn Geselle", "Std", 16, 52.00},
    {"Anfahrt", "Stk", 3, 35.00},
};
const Zeile Theke[] = {
    {"Thekenanlage Eiche, 3,60 m, nach Zeichnung", "Stk", 1, 6850.00},
    {"Rückbuffet mit Glasböden", "Stk", 1, 2980.00},
    {"Montage, Stundenlohn Meister", "Std", 4, 68.00},
    {"Montage, Stundenlohn Geselle", "Std", 12, 52.00},
    {"Anfahrt", "Stk", 3, 35.00},
};
const Zeile Esstisch[] = {
    {"Esstisch Eiche massiv 200 x 100 cm, geölt", "Stk", 1, 2890.00},
    {"Stuhl Eiche, Sitz Leder cognac", "Stk", 6, 420.00},
    {"Transportverpackung, Kiste aus Fichte", "Stk", 1, 85.00},
};
const Zeile Regalwand[] = {
    {"Regalwand Nussbaum, 4,20 x 2,40 m, 7 Module", "Stk", 1, 5240.00},
    {"LED-Beleuchtung eingelassen, warmweiß", "m", 6, 48.00},
    {"Transportverpackung, Kiste aus Fichte", "Stk", 2, 85.00},
};
const Zeile Hotelzimmer[] = {
    {"Nachttisch Zirbe mit Schublade", "Stk", 12, 340.00},
    {"Garderobe Zirbe, wandhängend", "Stk", 6, 565.00},
    {"Kofferablage Zirbe", "Stk", 6, 189.00},
    {"Transportverpackung, Kiste aus Fichte", "Stk", 3, 85.00},
};

const Auftragsart Inland[] = {
    {"Innentüren", Innentueren, {}, true},
    {"Einbauschrank", Einbauschrank, {0, 0, 35.00, "Entsorgung Altmaterial"}, false},
    {"Küche", Kueche, {}, false},
    {"Fenster", Fenster, {}, true},
    {"Treppe", Treppe, {0, 0, 24.00, "Parkgebühren"}, false},
    {"Reparatur", Reparatur, {}, false},
    {"Parkett", Parkett, {0, 0, 60.00, "Entsorgung Teppichboden"}, true},
    {"Terrasse", Terrasse, {0, 0, 180.00, "Containergestellung"}, true},
    {"Theke", Theke, {}, false},
    // Spare parts sent by post, cash on delivery.
    {"Ersatzteile", std::span<const Zeile>(Reparatur).subspan(1, 2), {6.90, 4.00, 0, ""}, false},
};

const Auftragsart Ausland[] = {
    {"Esstisch", Esstisch, {245.00, 0, 0, ""}, false},
    {"Regalwand", Regalwand, {390.00, 0, 0, ""}, false},
    {"Hotelzimmer", Hotelzimmer, {680.00, 0, 0, ""}, true},
};

const Zeile Montage[] = {
    {"Stundenlohn Geselle", "Std", 1, 52.00},
    {"Stundenlohn Meister", "Std", 1, 68.00},
    {"Stundenlohn Auszubildender", "Std", 1, 28.00},
    {"Anfahrt", "Stk", 1, 35.00},
    {"Kleinmaterial (Schrauben, Dübel, Silikon)", "Stk", 1, 12.50},
};
const Zeile Material[] = {
    {"Leimholzplatte Buche 18 mm", "m²", 1, 54.00},
    {"Multiplexplatte Birke 18 mm", "m²", 1, 46.50},
    {"MDF-Platte roh 19 mm", "m²", 1, 14.80},
    {"Massivholz Eiche, sägerau", "m", 1, 18.90},
    {"Holzleim D3", "kg", 1, 9.80},
    {"Hartwachsöl farblos", "l", 1, 36.00},
};

const Vorlage Vorlagen[] = {
    {"Montage vor Ort", Montage, {}, 'B', "", ""},
    {"Material nach Aufmaß", Material, {}, 'B', "", ""},
    {"Innentüren erneuern", Innentueren, {}, 'B', "", ""},
    {"Fensterwartung", Fenster, {}, 'B', "", ""},
    {"Parkett verlegen", Parkett, {0, 0, 60.00, "Entsorgung Altmaterial"}, 'B', "", ""},
    {"Lieferung in die EU", Esstisch, {245.00, 0, 0, ""}, 'E', "", "USt-IdNr. des Kunden"},
    {"Ausfuhr in ein Drittland", Esstisch, {245.00, 0, 0, ""}, 'D', "Schweiz", "9403 60 10"},
};

} // namespace

std::span<const Kunde> kunden() {
    return Kunden;
}
std::span<const Auftragsart> auftraegeInland() {
    return Inland;
}
std::span<const Auftragsart> auftraegeAusland() {
    return Ausland;
}
std::span<const Vorlage> vorlagen() {
    return Vorlagen;
}

} // namespace fkb::demo
