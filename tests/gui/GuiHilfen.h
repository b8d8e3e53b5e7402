#pragma once

#include "TestPlattform.h"
#include "app/TFKB_Formular.h"
#include "ui/Bindung.h"
#include "ui/Hauptfenster.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace fkb::test {

// The main window over a scripted platform, started (welcome question answered Yes) and shown
// on the offscreen screen.
struct Fenster : ::testing::Test {
    TestPlattform p;
    TFKB_Formular f{p};
    ui::Hauptfenster w{f};

    void SetUp() override {
        p.antworten.push_back(true);
        w.starten();
        w.show();
        QApplication::processEvents();
    }

    template <class T = QWidget> T* el(const char* name) {
        T* o = w.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(o, nullptr) << name;
        return o;
    }

    // Creates and loads a seeded data file through the menu command "Neu".
    void dateiAnlegen(const TempOrdner& ordner, const char* name = "test.fba") {
        p.dialoge.push_back(ordner.pfad(name));
        el<QAction>("Neu")->trigger();
        QApplication::processEvents();
    }
};

// A shown and active main window, with a seeded data file and its first customer record chosen
// where asked for, on the given page.
struct Lauf {
    TempOrdner ordner;
    TestPlattform p;
    TFKB_Formular f{p};
    ui::Hauptfenster w{f};

    Lauf(bool mitDatei, const char* seite) {
        p.antworten.push_back(true);
        w.starten();
        w.show();
        QApplication::setActiveWindow(&w);
        if (mitDatei) {
            p.dialoge.push_back(ordner.pfad("test.fba"));
            el<QAction>("Neu")->trigger();
            f.waehleListe(51);
            w.bindung().spiegeln();
        }
        w.findChild<QTabWidget*>("PageControl")->setCurrentWidget(el(seite));
        QApplication::processEvents();
        p.vergessen();
        p.gezeigteDialoge.clear();
    }

    template <class T = QWidget> T* el(const char* name) {
        T* o = w.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(o, nullptr) << name;
        return o;
    }

    void druecken(QKeyCombination taste) {
        QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        QTest::keyClick(ziel, taste.key(), taste.keyboardModifiers());
    }
};

inline void maus(QWidget* ziel, QEvent::Type art, QPoint stelle) {
    QMouseEvent e(art, stelle, ziel->mapToGlobal(stelle), Qt::LeftButton,
                  art == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &e);
}

inline void klicken(QWidget* ziel, QPoint stelle) {
    maus(ziel, QEvent::MouseButtonPress, stelle);
    maus(ziel, QEvent::MouseButtonRelease, stelle);
}

// A mouse click on a line or node of a view, scrolled into sight first.
inline void klicken(QAbstractItemView* ansicht, const QModelIndex& index) {
    ansicht->scrollTo(index);
    klicken(ansicht->viewport(), ansicht->visualRect(index).center());
}

inline void taste(QWidget* ziel, int taste, const QString& text = {}) {
    QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &druck);
    QKeyEvent los(QEvent::KeyRelease, taste, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &los);
}

inline void tippen(QWidget* ziel, const QString& text) {
    for (QChar c : text)
        taste(ziel, c.toUpper().unicode(), QString(c));
}

} // namespace fkb::test
