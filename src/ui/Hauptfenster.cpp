#include "ui/Hauptfenster.h"

#include "ui/Bindung.h"
#include "ui/QtTexte.h"
#include "ui/Seiten.h"
#include "ui/Tastatur.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <map>

namespace fkb::ui {
namespace {

// A page inside a scroll area that carries the page's name, so that the binding finds the tab by it.
QWidget* rollbar(QWidget* seite) {
    auto* flaeche = new QScrollArea;
    flaeche->setObjectName(seite->objectName());
    seite->setObjectName(QString());
    flaeche->setWidget(seite);
    flaeche->setWidgetResizable(true);
    flaeche->setFrameShape(QFrame::NoFrame);
    // Tab goes from field to field; the area scrolls to the field on its own.
    flaeche->setFocusPolicy(Qt::NoFocus);
    return flaeche;
}

// The path of the data file in the status bar: cut in the middle where it is too long, whole in the
// tool tip. It never widens the window.
class Pfadanzeige : public QLabel {
public:
    Pfadanzeige() {
        setObjectName(QStringLiteral("DateiAnzeige"));
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        setTextFormat(Qt::PlainText);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter maler(this);
        const QRect feld = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        maler.drawText(feld, Qt::AlignLeft | Qt::AlignVCenter,
                       fontMetrics().elidedText(text(), Qt::ElideMiddle, feld.width()));
    }
};

} // namespace

Hauptfenster::Hauptfenster(TFKB_Formular& formular, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      formular_(formular), bindung_(new Bindung(formular, *this)) {
    setWindowTitle(qt(formular.Caption));
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // The tool bar is switched from the options menu only.
    setContextMenuPolicy(Qt::NoContextMenu);
    menueBauen();
    werkzeugleisteBauen();
    // F1 opens the manual where the page shown is explained; "Hilfe - FKB-Hilfe" opens its contents.
    auto* seitenhilfe = new QAction(this);
    seitenhilfe->setObjectName(QStringLiteral("HilfeZurSeite"));
    seitenhilfe->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(seitenhilfe);
    connect(seitenhilfe, &QAction::triggered, this,
            [this] { bindung_->ausloesen([this] { formular_.HilfeZurSeite(); }); });
    setCentralWidget(mitteBauen());
    statusleisteBauen();
    if (QScreen* schirm = QGuiApplication::primaryScreen())
        setGeometry(startGeometrie(schirm->availableGeometry()));
    else
        resize(Breite, Hoehe);

    const QStringList fehlend = bindung_->anbinden();
    if (!fehlend.isEmpty())
        qWarning("Steuerelemente ohne Widget: %s", qPrintable(fehlend.join(QStringLiteral(", "))));
    bindung_->spiegeln();
}

void Hauptfenster::starten() {
    formular_.starten();
    bindung_->spiegeln();
}

void Hauptfenster::dateiOeffnen(const QString& pfad) {
    const std::string datei = kern(pfad);
    bindung_->ausloesen([this, &datei] { formular_.ausfuehren([this, &datei] { formular_.DateiOeffnen(datei); }); });
}

QRect Hauptfenster::startGeometrie(const QRect& frei) {
    // Title bar and frame are the window manager's and not known before the window is shown;
    // this leaves room for the usual ones.
    const QSize rahmen(16, 48);
    const QSize innen = QSize(Breite, Hoehe).boundedTo(frei.size() - rahmen);
    QRect aussen(QPoint(), innen + rahmen);
    aussen.moveCenter(frei.center());
    return {aussen.topLeft() + QPoint(rahmen.width() / 2, rahmen.height() - rahmen.width() / 2), innen};
}

void Hauptfenster::closeEvent(QCloseEvent* ereignis) {
    // Every stored change is in the data file already: closing asks only for what was typed.
    if (!formular_.Beendet && !bindung_->eingabenAufgeben(formular_.Beenden)) {
        ereignis->ignore();
        return;
    }
    if (!formular_.Beendet)
        formular_.schliessen();
    ereignis->accept();
}

void Hauptfenster::menueBauen() {
    QMenuBar* leiste = menuBar();
    leiste->setObjectName(QStringLiteral("MainMenu"));
    std::map<const Steuerelement*, QMenu*> menues;
    for (Steuerelement* s : formular_.alle()) {
        if (s->art == Art::Menue) {
            QMenu* m = leiste->addMenu(mitKuerzel(qt(s->text)));
            m->setObjectName(qt(s->name));
            m->setToolTipsVisible(true);
            menues[s] = m;
        } else if (s->art == Art::Menuepunkt && menues.count(s->eltern)) {
            QMenu* m = menues[s->eltern];
            if (s == &formular_.ERechnungExportieren || s == &formular_.Loeschen || s == &formular_.Beenden)
                m->addSeparator();
            auto* a = new QAction(m);
            a->setObjectName(qt(s->name));
            if (auto vor = kuerzelVor(s->name))
                a->setProperty("kuerzel", *vor);
            a->setText(mitKuerzel(qt(s->text), a->property("kuerzel").toString()));
            a->setShortcut(tastenkuerzel(s->name));
            a->setCheckable(s->abhakbar);
            if (!s->hinweis.empty()) {
                a->setToolTip(qt(s->hinweis));
                a->setStatusTip(qt(s->hinweis));
            }
            if (const QString status = statusHinweis(s->name); !status.isEmpty())
                a->setStatusTip(status);
            m->addAction(a);
        }
    }
}

void Hauptfenster::werkzeugleisteBauen() {
    auto* leiste = new QToolBar(qt(formular_.ButtonPanel.text), this);
    leiste->setObjectName(qt(formular_.ButtonPanel.name));
    leiste->setMovable(false);
    leiste->setFloatable(false);
    leiste->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, leiste);
    const std::map<std::string, QStyle::StandardPixmap> bilder = {
        {"SpeedButtonNeu", QStyle::SP_FileIcon},
        {"SpeedButtonOeffnen", QStyle::SP_DialogOpenButton},
        {"SpeedButtonSpeichern", QStyle::SP_DialogSaveButton},
        {"SpeedButtonSpeichernUnter", QStyle::SP_DriveFDIcon},
        {"SpeedButtonLoeschen", QStyle::SP_TrashIcon},
        {"SpeedButtonHilfe", QStyle::SP_MessageBoxQuestion},
        {"SpeedButtonInfo", QStyle::SP_MessageBoxInformation},
        {"SpeedButtonBeenden", QStyle::SP_DialogCloseButton},
    };
    for (Steuerelement* s : formular_.alle()) {
        if (s->art != Art::Werkzeugknopf)
            continue;
        if (s == &formular_.SpeedButtonHilfe) {
            // Help, info and the end of the program stand apart on the right.
            auto* luecke = new QWidget;
            luecke->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            leiste->addWidget(luecke);
        }
        auto* k = new QToolButton;
        k->setObjectName(qt(s->name));
        k->setToolTip(qt(s->hinweis));
        k->setStatusTip(statusHinweis(s->name));
        k->setAutoRaise(true);
        k->setFocusPolicy(Qt::NoFocus);
        if (auto b = bilder.find(s->name); b != bilder.end())
            k->setIcon(style()->standardIcon(b->second));
        leiste->addWidget(k);
    }
}

void Hauptfenster::statusleisteBauen() {
    auto* anzeige = new Pfadanzeige;
    statusBar()->addWidget(anzeige, 1);
}

QWidget* Hauptfenster::mitteBauen() {
    auto* mitte = new QWidget;
    auto* zeile = new QHBoxLayout(mitte);
    zeile->setContentsMargins(6, 4, 6, 6);
    auto* seiten = new QTabWidget;
    seiten->setObjectName(QStringLiteral("PageControl"));
    // The customer and invoice pages scroll where the window is lower than they are; the lists of
    // the other two pages just grow shorter.
    for (QWidget* seite : {seiteNavigation(formular_), rollbar(seiteKunde(formular_)),
                           rollbar(seiteRechnung(formular_)), seiteFahndung(formular_)}) {
        const Steuerelement* s = formular_.finden(kern(seite->objectName()));
        const int i = seiten->addTab(seite, ohneKuerzel(qt(s ? s->text : std::string())));
        auto* taste = new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), this);
        connect(taste, &QShortcut::activated, seiten, [seiten, i] { seiten->setCurrentIndex(i); });
        seiten->setTabToolTip(i, taste->key().toString(QKeySequence::NativeText));
    }
    zeile->addWidget(seiten, 1);
    QWidget* leiste = seitenleiste(formular_);
    leiste->setFixedWidth(250);
    zeile->addWidget(leiste);
    return mitte;
}

} // namespace fkb::ui
