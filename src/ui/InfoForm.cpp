#include "ui/InfoForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QSysInfo>
#include <QVBoxLayout>

namespace fkb::ui {

QPixmap InfoForm::bild(QSize groesse) {
    QPixmap p(groesse);
    const qreal b = groesse.width(), h = groesse.height();
    QPainter maler(&p);
    maler.setRenderHint(QPainter::Antialiasing);
    QLinearGradient himmel(0, 0, 0, h);
    himmel.setColorAt(0, QColor(0x2f, 0x4f, 0x6f));
    himmel.setColorAt(1, QColor(0x8f, 0xa9, 0xc0));
    maler.fillRect(p.rect(), himmel);

    // A sheet of an invoice, slightly turned, with its lines and a sum.
    maler.save();
    maler.translate(b * 0.5, h * 0.47);
    maler.rotate(-6);
    QRectF blatt(-b * 0.32, -h * 0.38, b * 0.64, h * 0.76);
    maler.setPen(Qt::NoPen);
    maler.setBrush(QColor(0, 0, 0, 60));
    maler.drawRoundedRect(blatt.translated(6, 8), 4, 4);
    maler.setBrush(QColor(0xfb, 0xfa, 0xf5));
    maler.drawRoundedRect(blatt, 4, 4);
    QFont kopf = maler.font();
    kopf.setPointSizeF(h / 22);
    kopf.setBold(true);
    maler.setFont(kopf);
    maler.setPen(QColor(0x2f, 0x4f, 0x6f));
    maler.drawText(blatt.adjusted(16, 12, -16, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Rechnung"));
    maler.setPen(QPen(QColor(0xb0, 0xb8, 0xc0), 2));
    for (int i = 0; i < 9; ++i) {
        qreal y = blatt.top() + h * 0.16 + i * h * 0.045;
        maler.drawLine(QPointF(blatt.left() + 16, y), QPointF(blatt.left() + blatt.width() * (i % 3 ? 0.62 : 0.5), y));
        maler.drawLine(QPointF(blatt.right() - blatt.width() * 0.22, y), QPointF(blatt.right() - 16, y));
    }
    maler.setPen(QPen(QColor(0x2f, 0x4f, 0x6f), 2));
    qreal summe = blatt.top() + h * 0.6;
    maler.drawLine(QPointF(blatt.right() - blatt.width() * 0.4, summe), QPointF(blatt.right() - 16, summe));
    maler.drawLine(QPointF(blatt.right() - blatt.width() * 0.4, summe + 5), QPointF(blatt.right() - 16, summe + 5));
    maler.restore();

    // A stamp "FKB" over the corner of the sheet.
    QPointF mitte(b * 0.74, h * 0.76);
    qreal r = b * 0.15;
    maler.setPen(QPen(QColor(0xc0, 0x39, 0x2b, 220), 4));
    maler.setBrush(Qt::NoBrush);
    maler.drawEllipse(mitte, r, r);
    maler.drawEllipse(mitte, r * 0.82, r * 0.82);
    QFont stempel = maler.font();
    stempel.setPointSizeF(r / 2.6);
    stempel.setBold(true);
    maler.setFont(stempel);
    maler.setPen(QColor(0xc0, 0x39, 0x2b, 230));
    maler.drawText(QRectF(mitte.x() - r, mitte.y() - r, 2 * r, 2 * r), Qt::AlignCenter, QStringLiteral("FKB"));
    return p;
}

InfoForm::InfoForm(QWidget* eltern) : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("   Info FKB"));
    setFixedSize(780, 467);

    auto* zeile = new QHBoxLayout(this);
    auto* bildFeld = new QLabel;
    bildFeld->setObjectName(QStringLiteral("Image1"));
    bildFeld->setToolTip(QStringLiteral("Autor"));
    bildFeld->setPixmap(bild(QSize(360, 440)));
    bildFeld->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zeile->addWidget(bildFeld);

    auto* rechts = new QVBoxLayout;
    auto* team = new QGroupBox(QStringLiteral("EntwicklerTeam"));
    team->setObjectName(QStringLiteral("EntwicklerTeam"));
    auto* teamSpalte = new QVBoxLayout(team);
    auto* kontakt = new QPlainTextEdit;
    kontakt->setReadOnly(true);
    kontakt->setPlainText(QStringLiteral("Fakturbuch (FKB)\n"
                                         "Rechnungen, Angebote und Kunden für den kleinen Betrieb\n\n"
                                         "Entwicklung: Fakturbuch-Team\n"
                                         "Musterstraße 1\n"
                                         "12345 Musterstadt\n\n"
                                         "E-Mail: kontakt@example.org\n"
                                         "Internet: www.example.org"));
    teamSpalte->addWidget(kontakt);
    rechts->addWidget(team, 1);

    auto* system = new QGroupBox(QStringLiteral("Systeminformation"));
    system->setObjectName(QStringLiteral("Systeminformation"));
    auto* systemZeile = new QHBoxLayout(system);
    auto* symbol = new QLabel;
    symbol->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    systemZeile->addWidget(symbol);
    auto* systemText = new QLabel(
        QStringLiteral("Fakturbuch (FKB) Version %1\nQt %2 auf %3")
            .arg(QStringLiteral(FKB_VERSION), QString::fromLatin1(qVersion()), QSysInfo::prettyProductName()));
    systemText->setObjectName(QStringLiteral("SystemText"));
    systemText->setTextFormat(Qt::PlainText);
    systemText->setWordWrap(true);
    systemZeile->addWidget(systemText, 1);
    rechts->addWidget(system);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BitBtnOK"));
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* knopfZeile = new QHBoxLayout;
    knopfZeile->addStretch(1);
    knopfZeile->addWidget(ok);
    rechts->addLayout(knopfZeile);
    zeile->addLayout(rechts, 1);
}

} // namespace fkb::ui
