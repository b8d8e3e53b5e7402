#pragma once

#include "app/TFKB_Formular.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QListView;
class QStringListModel;
class QTabWidget;
class QTreeView;
class QWidget;

namespace fkb::ui {

class BaumModell;
class ListenAnsicht;
class ListenModell;

// Binds the widgets to the core by the controls' names. A user action first has the typed texts
// in the core (every edit is passed on as it happens), then runs the core's action, then mirrors
// the whole model back: texts, enabled, visible, check marks, lists, the page and the caption.
class Bindung : public QObject {
    Q_OBJECT
public:
    Bindung(TFKB_Formular& formular, QWidget& fenster);

    // Connects every control of the core to the widget of its name; returns the names that have none.
    QStringList anbinden();
    void spiegeln();
    // Runs a user action and mirrors the model back; ignored while another one runs.
    void ausloesen(const std::function<void()>& aktion);
    // Whether the command of the control may go on: typed input it would replace is given up only
    // when the user says so. A No leaves everything as it was, the widgets included.
    bool eingabenAufgeben(const Steuerelement& ausloeser);
    // The same where the caller knows whether this command replaces the input: a tree node replaces it
    // only where it shows a record.
    bool eingabenAufgeben(const Steuerelement& ausloeser, bool verwirft);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    struct Eintrag {
        Steuerelement* s;
        QObject* objekt;
        std::string text;
        bool aktiv = true;
        bool sichtbar = true;
        bool nurLesen = false;
        bool neu = true;
    };

    void verbinden(Eintrag& e);
    void listeVerbinden(ListenAnsicht* ansicht, Steuerelement* s);
    void baumVerbinden(QTreeView* ansicht);
    void kategorienVerbinden(QComboBox* auswahl);
    void kalenderVerbinden(QCalendarWidget* kalender, Steuerelement* s);
    void eintragSpiegeln(Eintrag& e);
    void textSpiegeln(Eintrag& e);
    void inhalteSpiegeln();

    TFKB_Formular& f_;
    QWidget& fenster_;
    QTabWidget* seiten_ = nullptr;
    std::vector<Eintrag> eintraege_;

    struct Liste {
        QListView* ansicht;
        ListenModell* modell;
        Listenfeld* inhalt;
    };
    std::vector<Liste> listen_;
    QTreeView* baum_ = nullptr;
    BaumModell* baumModell_ = nullptr;
    QComboBox* kategorien_ = nullptr;
    QStringListModel* kategorienModell_ = nullptr;
    std::uint64_t kategorienStand_ = ~std::uint64_t(0);
    std::vector<std::pair<QCalendarWidget*, Zeitpunkt*>> kalender_;
    QObject* suchFeld_ = nullptr;
    std::string titel_;
    QLabel* dateiAnzeige_ = nullptr; // the status bar's path of the data file
    std::string dateiName_;
    bool spiegelt_ = false;
    bool laeuft_ = false;
};

} // namespace fkb::ui
