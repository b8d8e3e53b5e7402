// The page Kunde: address, record kind, numbers, dates and the customer template panel.
#include "ui/Bausteine.h"
#include "ui/QtTexte.h"
#include "ui/Seiten.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace fkb::ui {
namespace {

// One row of a form: a label and whatever stands beside it.
class Formular {
public:
    explicit Formular(QGroupBox* rahmen) : gitter_(new QGridLayout(rahmen)) {
        gitter_->setColumnStretch(1, 1);
        gitter_->setVerticalSpacing(4);
    }

    void zeile(const QString& text, std::initializer_list<QWidget*> teile, QWidget* fuer = nullptr) {
        auto* reihe = new QHBoxLayout;
        reihe->setSpacing(4);
        for (QWidget* w : teile)
            reihe->addWidget(w);
        if (!gedehnt(teile))
            reihe->addStretch(1);
        gitter_->addWidget(beschriftung(text, fuer ? fuer : *teile.begin()), n_, 0);
        gitter_->addLayout(reihe, n_++, 1);
    }

    void voll(const QString& text, QWidget* w, int dehnung = 0) {
        gitter_->addWidget(beschriftung(text, w), n_, 0, dehnung ? Qt::AlignTop : Qt::AlignVCenter);
        gitter_->addWidget(w, n_, 1);
        gitter_->setRowStretch(n_++, dehnung);
    }

    void ende() { gitter_->setRowStretch(n_, 1); }

private:
    static bool gedehnt(std::initializer_list<QWidget*> teile) {
        for (QWidget* w : teile)
            if (w->sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag && w->maximumWidth() == QWIDGETSIZE_MAX)
                return true;
        return false;
    }

    QGridLayout* gitter_;
    int n_ = 0;
};

QLineEdit* schmal(QLineEdit* f, int zeichen) {
    zeichenBreite(f, zeichen);
    return f;
}

// Shortcut letters of the labels: only those that no field button, record button or menu takes.
QGroupBox* kundenBlock(const Bedienelemente& m) {
    auto* rahmen = new QGroupBox(QStringLiteral("Kunde"));
    Formular f(rahmen);
    f.zeile(QStringLiteral("&Kunden-Nr."), {schmal(feld(m.KundenNummer), 8), kleinerKnopf(m.SpeedButtonKundenNummer)});
    f.zeile(QStringLiteral("Anrede"), {schmal(feld(m.Anrede), 7), kleinerKnopf(m.ButtonHerr),
                                       kleinerKnopf(m.ButtonFrau), kleinerKnopf(m.ButtonFirma)});
    f.voll(QStringLiteral("Firma"), feld(m.Firma));
    f.voll(QStringLiteral("Name"), feld(m.Name));
    f.voll(QStringLiteral("&Vorname"), feld(m.Vorname));
    f.voll(QStringLiteral("Zusatz"), feld(m.Zusatz));
    f.zeile(QStringLiteral("Straße / Nr."), {feld(m.Strasse), schmal(feld(m.Nummer), 6)});
    f.zeile(QStringLiteral("&PLZ / Ort"), {schmal(feld(m.PLZ), 6), feld(m.Ort)});
    f.voll(QStringLiteral("Land"), feld(m.Land));
    f.voll(QStringLiteral("Telefon"), feld(m.Telephon));
    f.voll(QStringLiteral("Fa&x / Mobil"), feld(m.Fax));
    f.voll(QStringLiteral("E-Mail"), feld(m.Mail));
    f.voll(QStringLiteral("Internet"), feld(m.InternetAdresse));
    f.voll(QStringLiteral("Fahrzeu&g"), feld(m.Fahrzeug));
    f.voll(QStringLiteral("Bemerkung"), textbereich(m.Bemerkung), 1);
    return rahmen;
}

QGroupBox* belegBlock(const Bedienelemente& m) {
    auto* rahmen = new QGroupBox(QStringLiteral("Beleg"));
    Formular f(rahmen);
    f.zeile(QStringLiteral("Rechnungs-Nr."),
            {schmal(feld(m.RechnungsNummer), 8), kleinerKnopf(m.SpeedButtonRechnungsNummer)});
    QLineEdit* art = schmal(feld(m.RechnungsKennZeichen), 2);
    art->setAlignment(Qt::AlignCenter);
    f.zeile(QStringLiteral("Belegart"), {art, kleinerKnopf(m.ButtonAngebot), kleinerKnopf(m.ButtonRechnung)}, art);
    // On a row of its own: beside the other two it ran out of a window 1024 pixels wide.
    f.zeile(QString(), {kleinerKnopf(m.ButtonBezahlt)});
    f.zeile(QStringLiteral("Zahlungseingang"), {schmal(feld(m.ZahlungsEingang), 16)});
    QLineEdit* lieferung = schmal(feld(m.LieferKennzeichen), 2);
    lieferung->setAlignment(Qt::AlignCenter);
    lieferung->setToolTip(QStringLiteral("B = Inland, E = EU-Ausland, D = Drittland"));
    f.zeile(QStringLiteral("Lieferung"),
            {lieferung, kleinerKnopf(m.ButtonBRD), kleinerKnopf(m.ButtonEU), kleinerKnopf(m.ButtonDrittland)},
            lieferung);
    f.zeile(QStringLiteral("Zolltarif / USt-IdNr."), {schmal(feld(m.ZolltarifNummer), 24)});
    f.zeile(QStringLiteral("Leistungsdatum"),
            {schmal(feld(m.LeistungsDatum), 16), kleinerKnopf(m.SpeedButtonLeistungsDatum)});
    f.zeile(QStringLiteral("Rechnungsdatum"),
            {schmal(feld(m.RechnungsDatum), 16), kleinerKnopf(m.SpeedButtonRechnungsDatum)});
    f.zeile(QStringLiteral("Systemstempel"), {schmal(feld(m.SystemStempel), 24)});
    f.ende();
    return rahmen;
}

} // namespace

QWidget* seiteKunde(const Bedienelemente& m) {
    auto* seite = new QWidget;
    seite->setObjectName(qt(m.Kunde.name));
    auto* zeile = new QHBoxLayout(seite);
    zeile->addWidget(kundenBlock(m), 1);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(belegBlock(m), 1);
    rechts->addWidget(vorlagePanel(m.PanelVorlageKunde, m.UpDownKunde, m.EditLadenVorlage, m.BitBtnLadenVorlageKunde));
    zeile->addLayout(rechts, 1);
    return seite;
}

} // namespace fkb::ui
