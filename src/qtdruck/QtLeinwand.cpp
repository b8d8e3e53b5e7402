#include "qtdruck/QtLeinwand.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>
#include <stdexcept>

namespace fkb::ui {
namespace {

QString qt(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QtLeinwand::QtLeinwand(QPagedPaintDevice& geraet) : geraet_(geraet) {
    schriftBauen();
}

QtLeinwand::~QtLeinwand() {
    if (maler_.isActive())
        maler_.end();
}

QString QtLeinwand::familie(const std::string& name) {
    return name == "Courier" ? QStringLiteral("Liberation Mono") : qt(name);
}

double QtLeinwand::pixelJeEinheit(bool senkrecht) const {
    const int dpi = senkrecht ? geraet_.logicalDpiY() : geraet_.logicalDpiX();
    return metrisch_ ? dpi / 254.0 : 1.0;
}

void QtLeinwand::dokumentBeginnen() {
    if (!maler_.begin(&geraet_))
        throw std::runtime_error("Druckauftrag konnte nicht begonnen werden");
}

void QtLeinwand::abbildungMetrisch() {
    metrisch_ = true;
    schriftBauen();
}

void QtLeinwand::schriftHoehe(int hoehe) {
    hoehe_ = hoehe;
    schriftBauen();
}

void QtLeinwand::schriftName(const std::string& name) {
    familie_ = familie(name);
    schriftBauen();
}

void QtLeinwand::schriftFarbe(std::uint32_t rgb) {
    farbe_ = QColor::fromRgb(QRgb(rgb));
}

void QtLeinwand::schriftStil(Schriftstil stil) {
    fett_ = stil == Schriftstil::Fett;
    schriftBauen();
}

// The height asked for is that of the character cell, ascent plus descent, as printer fonts are
// asked for by cell height: the size is scaled until the cell has it.
void QtLeinwand::schriftBauen() {
    schrift_ = QFont(familie_);
    schrift_.setBold(fett_);
    schrift_.setStyleHint(QFont::TypeWriter);
    schrift_.setFixedPitch(true);
    schrift_.setKerning(false);
    schrift_.setHintingPreference(QFont::PreferNoHinting);
    const double ziel = std::max(hoehe_, 1) * pixelJeEinheit(true);
    schrift_.setPointSizeF(100);
    const double zelle = QFontMetricsF(schrift_, &geraet_).height();
    if (zelle > 0)
        schrift_.setPointSizeF(100 * ziel / zelle);
    oberlaenge_ = QFontMetricsF(schrift_, &geraet_).ascent();
    if (maler_.isActive())
        maler_.setFont(schrift_);
}

int QtLeinwand::textHoehe(const std::string& text) {
    if (text.empty())
        return 0;
    return int(std::lround(QFontMetricsF(schrift_, &geraet_).height() / pixelJeEinheit(true)));
}

void QtLeinwand::textAus(int x, int y, const std::string& text) {
    // In the metric mapping the y axis points up: a row d below the top is passed as −d.
    const double d = metrisch_ ? -y : y;
    maler_.setFont(schrift_);
    maler_.setPen(farbe_);
    maler_.drawText(QPointF(x * pixelJeEinheit(false), d * pixelJeEinheit(true) + oberlaenge_), qt(text));
}

int QtLeinwand::druckHoehe() {
    const double millimeter = geraet_.pageLayout().paintRect(QPageLayout::Millimeter).height();
    return int(std::floor(millimeter * 10 + 1e-6));
}

void QtLeinwand::neueSeite() {
    geraet_.newPage();
}

void QtLeinwand::dokumentBeenden() {
    if (maler_.isActive())
        maler_.end();
}

namespace {

QPageLayout a4MitRand() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

} // namespace

std::unique_ptr<QPrinter> pdfDrucker(const std::string& pfad) {
    auto drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
    drucker->setOutputFormat(QPrinter::PdfFormat);
    drucker->setOutputFileName(qt(pfad));
    drucker->setCreator(QStringLiteral("Fakturbuch"));
    drucker->setPageLayout(a4MitRand());
    return drucker;
}

std::string pdfAErstellen(const std::function<void(Leinwand&)>& zeichnen) {
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter schreiber(&puffer);
        schreiber.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        schreiber.setResolution(1200); // as the printer's high resolution
        schreiber.setCreator(QStringLiteral("Fakturbuch"));
        schreiber.setPageLayout(a4MitRand());
        QtLeinwand leinwand(schreiber);
        zeichnen(leinwand);
    }
    return puffer.data().toStdString();
}

} // namespace fkb::ui
