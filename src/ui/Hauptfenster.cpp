#include "ui/Hauptfenster.h"

#include "ui/Bindung.h"
#include "ui/QtTexte.h"
#include "ui/Seiten.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <map>

namespace fkb::ui {

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
    setCentralWidget(mitteBauen());
    setFixedSize(Breite, Hoehe);
    if (QScreen* schirm = QGuiApplication::primaryScreen())
        move(schirm->availableGeometry().center() - rect().center());

    const QStringList fehlend = bindung_->anbinden();
    if (!fehlend.isEmpty())
        qWarning("Steuerelemente ohne Widget: %s", qPrintable(fehlend.join(QStringLiteral(", "))));
    bindung_->spiegeln();
}

void Hauptfenster::starten() {
    formular_.starten();
    bindung_->spiegeln();
}

void Hauptfenster::closeEvent(QCloseEvent* ereignis) {
    // Every change is in the data file already: closing asks nothing.
    if (!formular_.Beendet)
        formular_.schliessen();
    ereignis->accept();
}

void Hauptfenster::menueBauen() {
    QMenuBar* leiste = menuBar();
    leiste->setObjectName(QStringLiteral("MainMenu"));
    // Where the shortcut letter of an item is not its first one.
    static const std::map<std::string, QString> kuerzel = {{"SpeichernUnter", QStringLiteral("unter")},
                                                           {"FKBHilfe", QStringLiteral("Hilfe")}};
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
            if (auto k = kuerzel.find(s->name); k != kuerzel.end())
                a->setProperty("kuerzel", k->second);
            a->setText(mitKuerzel(qt(s->text), a->property("kuerzel").toString()));
            a->setCheckable(s->abhakbar);
            if (!s->hinweis.empty()) {
                a->setToolTip(qt(s->hinweis));
                a->setStatusTip(qt(s->hinweis));
            }
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
        k->setAutoRaise(true);
        k->setFocusPolicy(Qt::NoFocus);
        if (auto b = bilder.find(s->name); b != bilder.end())
            k->setIcon(style()->standardIcon(b->second));
        leiste->addWidget(k);
    }
}

QWidget* Hauptfenster::mitteBauen() {
    auto* mitte = new QWidget;
    auto* zeile = new QHBoxLayout(mitte);
    zeile->setContentsMargins(6, 4, 6, 6);
    auto* seiten = new QTabWidget;
    seiten->setObjectName(QStringLiteral("PageControl"));
    for (QWidget* seite :
         {seiteNavigation(formular_), seiteKunde(formular_), seiteRechnung(formular_), seiteFahndung(formular_)}) {
        const Steuerelement* s = formular_.finden(kern(seite->objectName()));
        seiten->addTab(seite, ohneKuerzel(qt(s ? s->text : std::string())));
    }
    zeile->addWidget(seiten, 1);
    QWidget* leiste = seitenleiste(formular_);
    leiste->setFixedWidth(250);
    zeile->addWidget(leiste);
    return mitte;
}

} // namespace fkb::ui
