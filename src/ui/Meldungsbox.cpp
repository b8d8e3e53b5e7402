#include "ui/Meldungsbox.h"

#include "ui/QtTexte.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace fkb::ui {

std::unique_ptr<QMessageBox> meldungsbox(QWidget* besitzer, QMessageBox::Icon bild, const QString& titel,
                                         const std::string& text, Antworten antworten) {
    auto box = std::make_unique<QMessageBox>(bild, titel, zeilenQt(text), QMessageBox::NoButton, besitzer);
    box->setTextFormat(Qt::PlainText);
    // The texts break their lines themselves; the box would wrap them again at about 500 pixels.
    if (auto* feld = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        int breite = 0;
        for (const QString& zeile : feld->text().split(QLatin1Char('\n')))
            breite = std::max(breite, feld->fontMetrics().horizontalAdvance(zeile));
        feld->setMinimumWidth(std::min(breite + 8, 900));
    }
    if (antworten == Antworten::Ok) {
        QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
        return box;
    }
    QPushButton* ja = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nein = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(antworten == Antworten::JaVorgabe ? ja : nein);
    box->setEscapeButton(nein);
    return box;
}

bool antwortJa(QMessageBox& box) {
    box.exec();
    const QMessageBox::ButtonRole rolle = box.buttonRole(box.clickedButton());
    return rolle == QMessageBox::YesRole || rolle == QMessageBox::AcceptRole;
}

} // namespace fkb::ui
