// The page Navigation: category choice, full-text search, the customer tree and the record list.
#include "ui/Bausteine.h"
#include "ui/ListenAnsicht.h"
#include "ui/QtTexte.h"
#include "ui/Seiten.h"
#include "ui/Zeilenraum.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeView>
#include <QVBoxLayout>

namespace fkb::ui {
namespace {

// Keeps the filter caption over the text part of the category list, so that only the
// drop-down button stays free. Clicks pass through to the list.
class Abdeckung : public QObject {
public:
    Abdeckung(QComboBox* liste, QLabel* deckel) : QObject(liste), liste_(liste), deckel_(deckel) {
        deckel->setParent(liste);
        deckel->setAttribute(Qt::WA_TransparentForMouseEvents);
        deckel->setAutoFillBackground(true);
        deckel->setBackgroundRole(QPalette::Base);
        deckel->setIndent(4);
        liste->installEventFilter(this);
        anpassen();
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Show || e->type() == QEvent::StyleChange)
            anpassen();
        return false;
    }

private:
    void anpassen() {
        QStyleOptionComboBox opt;
        opt.initFrom(liste_);
        opt.editable = false;
        opt.frame = true;
        QRect feld = liste_->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, liste_);
        deckel_->setGeometry(feld);
        deckel_->raise();
    }

    QComboBox* liste_;
    QLabel* deckel_;
};

QWidget* kategorieAuswahl(const Bedienelemente& m) {
    auto* rahmen = new QGroupBox(qt(m.PanelAuswahlObjekt.text));
    rahmen->setObjectName(qt(m.PanelAuswahlObjekt.name));
    auto* zeile = new QHBoxLayout(rahmen);
    zeile->setContentsMargins(6, 4, 6, 6);
    auto* liste = new QComboBox;
    liste->setObjectName(qt(m.ComboBoxKategorie.name));
    liste->setMaxVisibleItems(25);
    liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    liste->setMinimumContentsLength(30);
    liste->setToolTip(QStringLiteral("Kunde wählen – „Alles“ zeigt alle Sätze"));
    new Abdeckung(liste, panel(m.PanelOverKategorie));
    zeile->addWidget(liste);
    return rahmen;
}

QWidget* volltextsuche(const Bedienelemente& m) {
    auto* rahmen = new QGroupBox(qt(m.PanelVolltextsuche.text));
    rahmen->setObjectName(qt(m.PanelVolltextsuche.name));
    auto* zeile = new QHBoxLayout(rahmen);
    zeile->setContentsMargins(6, 4, 6, 6);
    QLineEdit* such = feld(m.EditSuchText);
    such->setToolTip(QStringLiteral("Suchtext eingeben, Eingabetaste startet die Suche"));
    zeile->addWidget(such, 1);
    zeile->addWidget(knopf(m.ButtonSuche));
    return rahmen;
}

} // namespace

QWidget* seiteNavigation(const Bedienelemente& m) {
    auto* seite = new QWidget;
    seite->setObjectName(qt(m.Navigation.name));
    auto* spalte = new QVBoxLayout(seite);

    auto* oben = new QHBoxLayout;
    oben->addWidget(kategorieAuswahl(m), 1);
    oben->addWidget(volltextsuche(m), 1);
    spalte->addLayout(oben);

    auto* teiler = new QSplitter(Qt::Horizontal);
    teiler->setChildrenCollapsible(false);

    auto* links = new QWidget;
    auto* baumSpalte = new QVBoxLayout(links);
    baumSpalte->setContentsMargins(0, 0, 0, 0);
    baumSpalte->setSpacing(2);
    baumSpalte->addWidget(kopfzeile(m.PanelBaum));
    baumSpalte->addWidget(kopfzeile(m.PanelBaumStruktur));
    auto* baum = new QTreeView;
    baum->setObjectName(qt(m.Baum.name));
    baum->setHeaderHidden(true);
    baum->setUniformRowHeights(true);
    baum->setItemDelegate(new Zeilenraum(baum));
    baum->setEditTriggers(QAbstractItemView::NoEditTriggers);
    baum->setSelectionMode(QAbstractItemView::SingleSelection);
    baum->setToolTip(QStringLiteral("Kunden mit ihren Belegen – ein Beleg zeigt seinen Satz"));
    baumSpalte->addWidget(baum, 1);

    auto* rechts = new QWidget;
    auto* listenSpalte = new QVBoxLayout(rechts);
    listenSpalte->setContentsMargins(0, 0, 0, 0);
    listenSpalte->setSpacing(2);
    listenSpalte->addWidget(kopfzeile(m.PanelAnzeige));
    listenSpalte->addWidget(langeListe(m.ListBoxObjekt), 1);

    teiler->addWidget(links);
    teiler->addWidget(rechts);
    teiler->setStretchFactor(0, 2);
    teiler->setStretchFactor(1, 3);
    teiler->setSizes({360, 540});
    spalte->addWidget(teiler, 1);
    return seite;
}

} // namespace fkb::ui
