// The page Rechnung: the 25 position rows, costs, totals, checking, printing and the template panel.
#include "ui/Bausteine.h"
#include "ui/QtTexte.h"
#include "ui/Seiten.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace fkb::ui {
namespace {

QLineEdit* zahl(const Steuerelement& s, int zeichen) {
    QLineEdit* f = zahlenFeld(s);
    zeichenBreite(f, zeichen);
    return f;
}

QLineEdit* kompakt(QLineEdit* f) {
    // 25 rows, the costs and the totals share one page without scrolling.
    f->setFixedHeight(22);
    f->setTextMargins(0, 0, 0, 0);
    return f;
}

QWidget* positionen(const Bedienelemente& m) {
    auto* block = new QWidget;
    auto* gitter = new QGridLayout(block);
    gitter->setContentsMargins(0, 0, 0, 0);
    gitter->setHorizontalSpacing(3);
    gitter->setVerticalSpacing(1);
    int spalte = 0;
    for (const char* kopf : {"Nr.", "Position", "ME", "Menge", "Preis", "Wert"}) {
        auto* l = new QLabel(QString::fromUtf8(kopf));
        l->setAlignment(spalte >= 3 ? Qt::AlignRight | Qt::AlignBottom : Qt::AlignLeft | Qt::AlignBottom);
        gitter->addWidget(l, 0, spalte++);
    }
    QWidget* vorher = nullptr;
    for (int i = 0; i < AnzahlZeilen; ++i) {
        auto* nr = new QLabel(QString::number(i + 1));
        nr->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLineEdit* position = kompakt(feld(m.Position[i]));
        QLineEdit* me = kompakt(feld(m.ME[i]));
        zeichenBreite(me, 4);
        QWidget* teile[] = {nr,
                            position,
                            me,
                            kompakt(zahl(m.Menge[i], 7)),
                            kompakt(zahl(m.Preis[i], 10)),
                            kompakt(zahl(m.Wert[i], 16))};
        for (int s = 0; s < 6; ++s)
            gitter->addWidget(teile[s], i + 1, s);
        nr->setBuddy(position);
        // Row by row through the entry fields; the values are the program's.
        for (int s = 1; s < 5; ++s) {
            if (vorher)
                QWidget::setTabOrder(vorher, teile[s]);
            vorher = teile[s];
        }
    }
    gitter->setColumnStretch(1, 1);
    gitter->setRowStretch(AnzahlZeilen + 1, 1);
    return block;
}

// The totals beside the rows, under the buttons that compute and print them: on a laptop screen
// (1366 x 768) they are in sight without scrolling. Each caption stands above its amount, since the
// VAT caption carries the rate.
QGroupBox* summen(const Bedienelemente& m) {
    auto* rahmen = new QGroupBox(QStringLiteral("Summen"));
    auto* gitter = new QGridLayout(rahmen);
    gitter->setVerticalSpacing(1);
    int zeile = 0;
    auto summe = [&](QLabel* text, const Steuerelement& s) {
        gitter->addWidget(text, zeile++, 0);
        gitter->addWidget(kompakt(zahl(s, 16)), zeile++, 0, Qt::AlignRight);
    };
    summe(new QLabel(QStringLiteral("Summe netto")), m.Summe_Positionen);
    summe(panel(m.PanelUst), m.WertUst);
    summe(new QLabel(QStringLiteral("Summe brutto")), m.WertBrutto);
    return rahmen;
}

QGroupBox* kosten(const Bedienelemente& m) {
    auto* rahmen = new QGroupBox(QStringLiteral("Kosten"));
    auto* gitter = new QGridLayout(rahmen);
    gitter->setVerticalSpacing(3);
    int n = 0;
    for (auto [text, s] :
         {std::pair{"&Versandkosten", &m.VersandKosten}, std::pair{"Nachnahme&kosten", &m.NachnameKosten},
          std::pair{"Sons&tige Kosten", &m.SonstigeKosten}}) {
        QLineEdit* f = zahl(*s, 7);
        gitter->addWidget(beschriftung(QString::fromUtf8(text), f), n, 0);
        gitter->addWidget(f, n++, 1, Qt::AlignRight);
    }
    QLineEdit* bezeichnung = feld(m.BezeichnungSonstigeKosten);
    gitter->addWidget(beschriftung(QStringLiteral("&Bezeichnung"), bezeichnung), n++, 0, 1, 2);
    gitter->addWidget(bezeichnung, n, 0, 1, 2);
    return rahmen;
}

QWidget* befehle(const Bedienelemente& m) {
    auto* block = new QWidget;
    auto* gitter = new QGridLayout(block);
    gitter->setContentsMargins(0, 0, 0, 0);
    QToolButton* pruefen = kleinerKnopf(m.SpeedButtonPruefung);
    pruefen->setIcon(pruefen->style()->standardIcon(QStyle::SP_DialogApplyButton));
    pruefen->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    pruefen->setMinimumHeight(30);
    pruefen->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QPushButton* druck = knopf(m.BitBtnDruck);
    druck->setMinimumHeight(30);
    // A shortcut of the button itself: it acts only while the page is shown and the button enabled.
    auto* drucken = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), druck);
    QObject::connect(drucken, &QShortcut::activated, druck, &QPushButton::click);
    druck->setToolTip(druck->toolTip() + QStringLiteral(" (") + drucken->key().toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
    // The e-invoice goes out where the printed one does.
    QPushButton* eRechnung = knopf(m.BitBtnERechnung);
    eRechnung->setMinimumHeight(30);
    QPushButton* zugferd = knopf(m.BitBtnZUGFeRD);
    zugferd->setMinimumHeight(30);
    gitter->addWidget(pruefen, 0, 0);
    gitter->addWidget(druck, 0, 1);
    gitter->addWidget(eRechnung, 1, 1);
    gitter->addWidget(zugferd, 2, 1);
    return block;
}

} // namespace

QWidget* seiteRechnung(const Bedienelemente& m) {
    auto* seite = new QWidget;
    seite->setObjectName(qt(m.Rechnung.name));
    auto* zeile = new QHBoxLayout(seite);
    zeile->addWidget(positionen(m), 1);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(kosten(m));
    rechts->addWidget(befehle(m));
    rechts->addWidget(summen(m));
    rechts->addStretch(1);
    rechts->addWidget(
        vorlagePanel(m.PanelVorlageRechnung, m.UpDownRechnung, m.EditVorlageLaden, m.BitBtnVorlageLadenRechnung));
    auto* spalte = new QWidget;
    spalte->setLayout(rechts);
    rechts->setContentsMargins(0, 0, 0, 0);
    spalte->setFixedWidth(240);
    zeile->addWidget(spalte);
    return seite;
}

} // namespace fkb::ui
