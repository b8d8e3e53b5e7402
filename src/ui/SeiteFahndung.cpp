// The page Information ("Fahndung"): the period, the record kind, the result list and its commands.
#include "ui/Bausteine.h"
#include "ui/ListenAnsicht.h"
#include "ui/QtTexte.h"
#include "ui/Seiten.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace fkb::ui {
namespace {

QCalendarWidget* kalender(const Steuerelement& s) {
    auto* k = new QCalendarWidget;
    k->setObjectName(qt(s.name));
    k->setLocale(QLocale(QLocale::German, QLocale::Germany));
    k->setFirstDayOfWeek(Qt::Monday);
    k->setGridVisible(true);
    k->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    k->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    return k;
}

QWidget* zeitraum(const Bedienelemente& m) {
    auto* block = new QWidget;
    auto* spalte = new QVBoxLayout(block);
    spalte->setContentsMargins(0, 0, 0, 0);
    QCalendarWidget* von = kalender(m.MonthCalendarVon);
    QCalendarWidget* bis = kalender(m.MonthCalendarBis);
    spalte->addWidget(beschriftung(QStringLiteral("AnfrageDatum   (&von)"), von));
    spalte->addWidget(von);
    spalte->addSpacing(6);
    spalte->addWidget(beschriftung(QStringLiteral("AnfrageDatum   (b&is)"), bis));
    spalte->addWidget(bis);

    auto* art = new QGroupBox(QStringLiteral("Belegart"));
    auto* gitter = new QGridLayout(art);
    QLineEdit* kennzeichen = feld(m.FahndungsRechnungsKennZeichen);
    kennzeichen->setAlignment(Qt::AlignCenter);
    zeichenBreite(kennzeichen, 2);
    gitter->addWidget(kennzeichen, 0, 0);
    gitter->addWidget(knopf(m.ButtonFahndungA), 0, 1);
    gitter->addWidget(knopf(m.ButtonFahndungR), 0, 2);
    gitter->addWidget(knopf(m.ButtonFahndungB), 1, 1, 1, 2);
    spalte->addSpacing(6);
    spalte->addWidget(art);

    QPushButton* start = knopf(m.BitBtnStartFahndung);
    start->setMinimumHeight(32);
    spalte->addSpacing(6);
    spalte->addWidget(start);
    spalte->addStretch(1);
    return block;
}

QWidget* ergebnis(const Bedienelemente& m) {
    auto* block = new QWidget;
    auto* spalte = new QVBoxLayout(block);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(2);
    spalte->addWidget(kopfzeile(m.PanelFahndungAnzeige));
    spalte->addWidget(langeListe(m.ListBoxFahndung), 1);
    auto* unten = new QHBoxLayout;
    unten->setContentsMargins(0, 4, 0, 0);
    QLabel* anzahl = panel(m.PanelAnzahlFahndungsSaetze);
    anzahl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    anzahl->setMargin(3);
    unten->addWidget(anzahl, 1);
    unten->addWidget(knopf(m.BitBtnDruckFahndung));
    unten->addWidget(knopf(m.BitBtnSetzenRKZ));
    spalte->addLayout(unten);
    return block;
}

} // namespace

QWidget* seiteFahndung(const Bedienelemente& m) {
    auto* seite = new QWidget;
    seite->setObjectName(qt(m.Information.name));
    auto* zeile = new QHBoxLayout(seite);
    zeile->addWidget(zeitraum(m));
    zeile->addWidget(ergebnis(m), 1);
    return seite;
}

} // namespace fkb::ui
