#pragma once

#include "app/Textliste.h"
#include "app/Wurzelliste.h"
#include "app/Zeilenliste.h"

#include <cstdint>
#include <string>

namespace fkb {

// What kind of control a model entry stands for; the binding builds the widget from it.
enum class Art {
    Menue,          // a drop-down menu of the menu bar
    Menuepunkt,     // an item of a menu (maybe with a check mark)
    Werkzeugleiste, // the tool bar panel
    Werkzeugknopf,  // a tool bar speed button
    Seite,          // a page of the page control
    Panel,          // a panel or label whose caption the logic may set
    Knopf,          // a button, speed button or bit button
    Feld,           // a single-line edit field
    Textbereich,    // the multi-line remark field
    Liste,          // a list box
    Baum,           // the tree view
    Auswahlliste,   // the category combo box
    Kalender,       // a month calendar
    Schrittregler,  // an up/down control
};

// One control of the main window as plain data: handlers change it, the GUI mirrors it.
struct Steuerelement {
    std::string name{};
    Art art = Art::Panel;
    std::string text{};    // text of a field, caption of a panel, button or menu item
    std::string hinweis{}; // tool tip
    bool aktiv = true;
    bool sichtbar = true;
    bool haken = false;              // check mark of a menu item
    bool abhakbar = false;           // menu item that carries a check mark
    int maxLaenge = 0;               // maximum entry length while typing; 0 means none
    bool nurLesen = false;           // read-only for the user
    Steuerelement* eltern = nullptr; // the panel, page, menu or tool bar holding it
    std::string starttext{};         // the text it starts with: a page field's placeholder
    std::string gefuellt{};          // what the program last put into a page field; typing differs

    // Back to the text it started with.
    void zuruecksetzen() { text = starttext; }

    // Enabled and visible as the user meets it: a disabled or hidden parent counts.
    bool bedienbar() const;
};

// The navigation list and the query list.
struct Listenfeld {
    Zeilenliste zeilen;
    int auswahl = -1;
    bool mehrfach = false;
    std::uint64_t stand = 0; // grows whenever the lines change, so a view knows to reload

    void leeren() {
        zeilen.clear();
        auswahl = -1;
        ++stand;
    }
};

// The customer tree: roots and their children; the selected node is (wurzel, kind),
// kind −1 for the root itself, wurzel −1 for no selection.
struct Baumansicht {
    Wurzelliste wurzeln;
    int wurzel = -1;
    int kind = -1;
    std::uint64_t stand = 0;

    void leeren() {
        wurzeln.clear();
        wurzel = kind = -1;
        ++stand;
    }
};

// The category combo box: its entries in insertion order and the text of its edit part.
struct Kombifeld {
    Textliste eintraege;
    std::string text;
    std::uint64_t stand = 0;
};

} // namespace fkb
