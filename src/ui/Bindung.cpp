#include "ui/Bindung.h"

#include "ui/Bausteine.h"
#include "ui/BegrenzteEingabe.h"
#include "ui/ListenAnsicht.h"
#include "ui/ListenModell.h"
#include "ui/QtTexte.h"
#include "ui/Schrittregler.h"

#include <QAbstractButton>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeView>

#include <exception>
#include <utility>

namespace fkb::ui {

Bindung::Bindung(TFKB_Formular& formular, QWidget& fenster) : QObject(&fenster), f_(formular), fenster_(fenster) {}

QStringList Bindung::anbinden() {
    QStringList fehlend;
    seiten_ = fenster_.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    dateiAnzeige_ = fenster_.findChild<QLabel*>(QStringLiteral("DateiAnzeige"));
    for (Steuerelement* s : f_.alle()) {
        QObject* o = fenster_.findChild<QObject*>(qt(s->name));
        if (!o) {
            fehlend << qt(s->name);
            continue;
        }
        eintraege_.push_back({s, o, {}});
        verbinden(eintraege_.back());
    }
    if (seiten_)
        connect(seiten_, &QTabWidget::currentChanged, this, [this](int i) {
            if (spiegelt_ || i < 0)
                return;
            std::string name = kern(seiten_->widget(i)->objectName());
            ausloesen([this, name] { f_.seiteWaehlen(name); });
        });
    return fehlend;
}

void Bindung::verbinden(Eintrag& e) {
    Steuerelement* s = e.s;
    const std::string name = s->name;
    auto klick = [this, s, name] {
        if (eingabenAufgeben(*s))
            ausloesen([this, name] { f_.klick(name); });
    };

    if (auto* a = qobject_cast<QAction*>(e.objekt)) {
        connect(a, &QAction::triggered, this, klick);
    } else if (auto* r = qobject_cast<Schrittregler*>(e.objekt)) {
        connect(r, &Schrittregler::schritt, this,
                [this, s](bool auf) { ausloesen([this, s, auf] { f_.schritt(*s, auf); }); });
    } else if (auto* k = qobject_cast<QAbstractButton*>(e.objekt)) {
        connect(k, &QAbstractButton::clicked, this, klick);
    } else if (auto* l = qobject_cast<QLineEdit*>(e.objekt)) {
        connect(l, &QLineEdit::textEdited, this, [this, name](const QString& text) {
            std::string t = kern(text);
            ausloesen([this, name, t] { f_.eingeben(name, t, false); });
        });
        if (s == &f_.EditSuchText) {
            // Enter starts the search; a click into the field searches what stands in it.
            connect(l, &QLineEdit::returnPressed, this, [this] {
                if (eingabenAufgeben(f_.ButtonSuche))
                    ausloesen([this] { f_.klick(f_.ButtonSuche.name); });
            });
            suchFeld_ = l;
            l->installEventFilter(this);
        }
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(e.objekt)) {
        connect(t, &QPlainTextEdit::textChanged, this, [this, t, name] {
            if (spiegelt_)
                return;
            std::string text = rohZeilenKern(t->document()->toRawText());
            ausloesen([this, name, text] { f_.eingeben(name, text, false); });
        });
    } else if (auto* v = qobject_cast<ListenAnsicht*>(e.objekt)) {
        listeVerbinden(v, s);
    } else if (auto* b = qobject_cast<QTreeView*>(e.objekt)) {
        baumVerbinden(b);
    } else if (auto* c = qobject_cast<QComboBox*>(e.objekt)) {
        kategorienVerbinden(c);
    } else if (auto* k = qobject_cast<QCalendarWidget*>(e.objekt)) {
        kalenderVerbinden(k, s);
    }
}

void Bindung::listeVerbinden(ListenAnsicht* ansicht, Steuerelement* s) {
    Listenfeld* inhalt = s == &f_.ListBoxFahndung ? &f_.ListeFahndung : &f_.ListeObjekt;
    auto* modell = new ListenModell(*inhalt, ansicht);
    ansicht->setModel(modell);
    listen_.push_back({ansicht, modell, inhalt});

    // Only the user chooses a line: Qt moving the current line on its own (at a focus change) does not.
    connect(ansicht, &ListenAnsicht::gewaehlt, this, [this, inhalt, s](int zeile) {
        if (!eingabenAufgeben(*s))
            return;
        ausloesen([this, inhalt, zeile] {
            if (inhalt == &f_.ListeObjekt)
                f_.waehleListe(zeile);
            else
                f_.waehleFahndung(zeile);
        });
    });
}

void Bindung::baumVerbinden(QTreeView* ansicht) {
    baum_ = ansicht;
    baumModell_ = new BaumModell(f_.BaumInhalt, ansicht);
    ansicht->setModel(baumModell_);
    auto waehlen = [this](const QModelIndex& i) {
        auto [wurzel, kind] = baumModell_->knoten(i);
        if (wurzel >= 0 && eingabenAufgeben(f_.Baum, f_.baumVerwirftEingaben(wurzel, kind)))
            ausloesen([this, wurzel, kind] { f_.waehleBaum(wurzel, kind); });
    };
    connect(ansicht, &QAbstractItemView::clicked, this, waehlen);
    connect(ansicht, &QAbstractItemView::activated, this, [waehlen](const QModelIndex& i) {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            waehlen(i);
    });
}

void Bindung::kategorienVerbinden(QComboBox* auswahl) {
    kategorien_ = auswahl;
    kategorienModell_ = new QStringListModel(auswahl);
    auswahl->setModel(kategorienModell_);
    connect(auswahl, &QComboBox::activated, this, [this](int i) {
        if (spiegelt_ || i < 0 || !eingabenAufgeben(f_.ComboBoxKategorie))
            return;
        std::string text = kern(kategorien_->itemText(i));
        ausloesen([this, text] { f_.waehleKategorie(text); });
    });
}

void Bindung::kalenderVerbinden(QCalendarWidget* kalender, Steuerelement* s) {
    Zeitpunkt* datum = s == &f_.MonthCalendarVon ? &f_.KalenderVon : &f_.KalenderBis;
    kalender_.push_back({kalender, datum});
    connect(kalender, &QCalendarWidget::selectionChanged, this, [this, kalender, datum, s] {
        if (spiegelt_)
            return;
        QDate d = kalender->selectedDate();
        Zeitpunkt z = *datum;
        z.jahr = d.year();
        z.monat = d.month();
        z.tag = d.day();
        ausloesen([this, s, z] { f_.setzeKalender(*s, z); });
    });
}

void Bindung::ausloesen(const std::function<void()>& aktion) {
    if (laeuft_ || spiegelt_ || f_.Beendet)
        return;
    laeuft_ = true;
    try {
        aktion();
    } catch (const std::exception& fehler) {
        // The core shows its own errors; this only keeps an exception out of Qt's event loop.
        f_.plattform.fehlerMelden(fehler.what());
    }
    laeuft_ = false;
    spiegeln();
    if (f_.Beendet)
        fenster_.close();
}

bool Bindung::eingabenAufgeben(const Steuerelement& ausloeser) {
    return eingabenAufgeben(ausloeser, f_.verwirftEingaben(ausloeser));
}

bool Bindung::eingabenAufgeben(const Steuerelement& ausloeser, bool verwirft) {
    if (laeuft_ || spiegelt_ || f_.Beendet || !ausloeser.bedienbar() || !verwirft)
        return true;
    if (f_.plattform.bestaetigenVorgabeNein("Die Eingaben im Formular sind nicht gespeichert. Verwerfen?"))
        return true;
    spiegeln(); // the line, node or category the user chose goes back to the one shown
    return false;
}

bool Bindung::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::MouseButtonPress) {
        if (objekt == suchFeld_ && static_cast<QMouseEvent*>(ereignis)->button() == Qt::LeftButton &&
            eingabenAufgeben(f_.EditSuchText))
            ausloesen([this] { f_.klick(f_.EditSuchText.name); });
    }
    return false;
}

void Bindung::spiegeln() {
    if (spiegelt_)
        return;
    spiegelt_ = true;
    for (Eintrag& e : eintraege_)
        eintragSpiegeln(e);
    inhalteSpiegeln();
    if (f_.Caption != titel_) {
        titel_ = f_.Caption;
        fenster_.setWindowTitle(qt(titel_));
    }
    const std::string& datei = f_.DateiGeladen ? f_.DateiName : std::string();
    if (dateiAnzeige_ && (dateiAnzeige_->text().isEmpty() || datei != dateiName_)) {
        dateiName_ = datei;
        dateiAnzeige_->setText(dateiName_.empty() ? QStringLiteral("keine Datei") : qt(dateiName_));
        dateiAnzeige_->setToolTip(dateiName_.empty() ? QString() : qt(dateiName_));
    }
    if (seiten_) {
        QWidget* seite = seiten_->findChild<QWidget*>(qt(f_.AktiveSeite));
        if (seite && seiten_->indexOf(seite) >= 0 && seiten_->currentWidget() != seite)
            seiten_->setCurrentWidget(seite);
    }
    spiegelt_ = false;
}

void Bindung::eintragSpiegeln(Eintrag& e) {
    const Steuerelement& s = *e.s;
    bool neu = std::exchange(e.neu, false);
    if (neu || e.text != s.text) {
        textSpiegeln(e);
        e.text = s.text;
    }
    QWidget* w = qobject_cast<QWidget*>(e.objekt);
    int seite = (w && seiten_) ? seiten_->indexOf(w) : -1;

    if (neu || e.aktiv != s.aktiv) {
        e.aktiv = s.aktiv;
        if (auto* a = qobject_cast<QAction*>(e.objekt))
            a->setEnabled(s.aktiv);
        else if (auto* m = qobject_cast<QMenu*>(e.objekt))
            m->menuAction()->setEnabled(s.aktiv);
        else if (seite >= 0)
            seiten_->setTabEnabled(seite, s.aktiv);
        else if (w)
            w->setEnabled(s.aktiv);
    }
    // Widgets start shown; only a change, or a control that starts hidden, is passed on.
    if (neu ? !s.sichtbar : e.sichtbar != s.sichtbar) {
        e.sichtbar = s.sichtbar;
        if (auto* a = qobject_cast<QAction*>(e.objekt))
            a->setVisible(s.sichtbar);
        else if (auto* m = qobject_cast<QMenu*>(e.objekt))
            m->menuAction()->setVisible(s.sichtbar);
        else if (seite >= 0)
            seiten_->setTabVisible(seite, s.sichtbar);
        else if (w)
            w->setVisible(s.sichtbar);
    }
    // Qt flips a check mark on its own when the item is triggered; the core's mark decides.
    if (auto* a = qobject_cast<QAction*>(e.objekt);
        a && (a->isCheckable() != s.abhakbar || a->isChecked() != s.haken)) {
        a->setCheckable(s.abhakbar);
        a->setChecked(s.haken);
    }
    if (neu || e.nurLesen != s.nurLesen) {
        e.nurLesen = s.nurLesen;
        if (auto* l = qobject_cast<QLineEdit*>(e.objekt))
            l->setReadOnly(s.nurLesen);
        else if (auto* t = qobject_cast<QPlainTextEdit*>(e.objekt))
            t->setReadOnly(s.nurLesen);
        if (qobject_cast<QLineEdit*>(e.objekt) || qobject_cast<QPlainTextEdit*>(e.objekt))
            nurLesenZeigen(w, s.nurLesen);
    }
}

void Bindung::textSpiegeln(Eintrag& e) {
    const QString text = qt(e.s->text);
    QObject* o = e.objekt;
    if (auto* l = qobject_cast<QLineEdit*>(o)) {
        // A field keeps its cursor while the text in it is the one the user is typing.
        if (l->text() != text) {
            BegrenzteEingabe::programmText(l, text);
            l->setCursorPosition(0);
        }
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(o)) {
        if (rohZeilenKern(t->document()->toRawText()) != e.s->text)
            BegrenzterText::programmText(t, zeilenQt(e.s->text));
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(mitKuerzel(text, a->property("kuerzel").toString()));
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        m->setTitle(mitKuerzel(text));
    } else if (auto* k = qobject_cast<QAbstractButton*>(o)) {
        const QVariant vor = k->property("kuerzel");
        const QString soll = vor.isValid() ? mitKuerzel(text, vor.toString()) : ohneKuerzel(text);
        if (k->text() != soll)
            k->setText(soll);
    } else if (auto* p = qobject_cast<QLabel*>(o)) {
        p->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(text);
    } else if (auto* w = qobject_cast<QWidget*>(o); w && seiten_ && seiten_->indexOf(w) >= 0) {
        seiten_->setTabText(seiten_->indexOf(w), ohneKuerzel(text));
    }
}

void Bindung::inhalteSpiegeln() {
    for (Liste& l : listen_) {
        l.modell->aktualisieren();
        QModelIndex soll = l.inhalt->auswahl >= 0 ? l.modell->index(l.inhalt->auswahl) : QModelIndex();
        QItemSelectionModel* wahl = l.ansicht->selectionModel();
        if (wahl->currentIndex() != soll || (soll.isValid() && !wahl->isSelected(soll))) {
            if (soll.isValid()) {
                wahl->setCurrentIndex(soll, QItemSelectionModel::ClearAndSelect);
                l.ansicht->scrollTo(soll);
            } else {
                wahl->clear();
            }
        }
    }
    if (baumModell_) {
        baumModell_->aktualisieren();
        QModelIndex soll = baumModell_->indexVon(f_.BaumInhalt.wurzel, f_.BaumInhalt.kind);
        if (baum_->currentIndex() != soll) {
            if (soll.isValid())
                baum_->selectionModel()->setCurrentIndex(soll, QItemSelectionModel::ClearAndSelect);
            else
                baum_->selectionModel()->clear();
        }
    }
    if (kategorien_) {
        const Kombifeld& k = f_.KategorieListe;
        if (k.stand != kategorienStand_) {
            kategorienStand_ = k.stand;
            QStringList eintraege;
            eintraege.reserve(qsizetype(k.eintraege.size()));
            for (std::string_view e : k.eintraege)
                eintraege << QString::fromUtf8(e.data(), qsizetype(e.size()));
            kategorienModell_->setStringList(eintraege);
        }
        int soll = k.text.empty() ? -1 : kategorien_->findText(qt(k.text), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (kategorien_->currentIndex() != soll)
            kategorien_->setCurrentIndex(soll);
    }
    for (auto [kalender, datum] : kalender_) {
        QDate soll(datum->jahr, datum->monat, datum->tag);
        if (kalender->selectedDate() != soll)
            kalender->setSelectedDate(soll);
    }
}

} // namespace fkb::ui
