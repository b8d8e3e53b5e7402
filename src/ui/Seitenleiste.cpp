// Beside the pages: the record buttons, the display block "Zugriff DatenSatz" and the counters.
#include "ui/Bausteine.h"
#include "ui/QtTexte.h"
#include "ui/Seiten.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace fkb::ui {

QWidget* seitenleiste(const Bedienelemente& m) {
    auto* leiste = new QWidget;
    leiste->setObjectName(QStringLiteral("Seitenleiste"));
    auto* spalte = new QVBoxLayout(leiste);
    spalte->setContentsMargins(0, 0, 0, 0);

    auto* satz = new QGroupBox(QStringLiteral("DatenSatz"));
    auto* knoepfe = new QVBoxLayout(satz);
    for (auto [s, bild] :
         {std::pair{&m.Satz_Neu, QStyle::SP_FileIcon}, std::pair{&m.Satz_Speichern, QStyle::SP_DialogSaveButton},
          std::pair{&m.Satz_Loeschen, QStyle::SP_TrashIcon}}) {
        QPushButton* k = knopf(*s);
        k->setIcon(k->style()->standardIcon(bild));
        k->setMinimumHeight(30);
        knoepfe->addWidget(k);
    }
    spalte->addWidget(satz);

    auto* zugriff = new QGroupBox(QStringLiteral("Zugriff DatenSatz"));
    auto* form = new QFormLayout(zugriff);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (auto [text, s] :
         {std::pair{"Name", &m.AnzeigeName}, std::pair{"Vorname", &m.AnzeigeVorname},
          std::pair{"Ku-Nr.", &m.AnzeigeKundenNummer}, std::pair{"Re-Nr.", &m.AnzeigeRechnungsNummer}}) {
        QLineEdit* f = feld(*s);
        form->addRow(beschriftung(QString::fromUtf8(text)), f);
    }
    spalte->addWidget(zugriff);

    auto* zaehler = new QGroupBox(QStringLiteral("Datei"));
    auto* liste = new QVBoxLayout(zaehler);
    for (const Steuerelement* s : {&m.PanelLetzteKundenNummer, &m.PanelLetzteRechnungsNummer, &m.PanelAnzahlSaetze}) {
        QLabel* l = panel(*s);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setMargin(3);
        liste->addWidget(l);
    }
    spalte->addWidget(zaehler);
    spalte->addStretch(1);
    return leiste;
}

} // namespace fkb::ui
