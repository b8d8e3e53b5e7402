#pragma once

#include "printing/Leinwand.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QPagedPaintDevice;
class QPrinter;

namespace fkb::ui {

// The page layouts on a real printer, a PDF-format printer or a PDF writer: QPainter in device pixels, a
// unit of the metric mapping being a tenth of a millimetre, d measured down from the top of the
// printable area, each text with the top-left corner of its cell at its point.
//
// The layouts ask for "Courier". Which font that name stands for differs between machines and
// would move every column; the canvas asks for Liberation Mono by its own name instead, a
// fixed-pitch font with the metrics of Courier New.
class QtLeinwand : public Leinwand {
public:
    explicit QtLeinwand(QPagedPaintDevice& geraet);
    ~QtLeinwand() override;

    void dokumentBeginnen() override;
    void abbildungMetrisch() override;
    void schriftHoehe(int hoehe) override;
    void schriftName(const std::string& name) override;
    void schriftFarbe(std::uint32_t rgb) override;
    void schriftStil(Schriftstil stil) override;
    int textHoehe(const std::string& text) override;
    void textAus(int x, int y, const std::string& text) override;
    int druckHoehe() override;
    void neueSeite() override;
    void dokumentBeenden() override;

    // The font family that a requested name is drawn with.
    static QString familie(const std::string& name);

private:
    double pixelJeEinheit(bool senkrecht) const;
    void schriftBauen();

    QPagedPaintDevice& geraet_;
    QPainter maler_;
    bool metrisch_ = false;
    int hoehe_ = 0;
    QString familie_ = familie("Courier");
    bool fett_ = false;
    QColor farbe_ = Qt::black;
    QFont schrift_;
    double oberlaenge_ = 0; // ascent of the font in device pixels: from the cell's top to the baseline
};

// A printer that writes a PDF file: A4, five millimetres of margin on every side, so that the
// printable area is 2870 units high like the driver's canvas.
std::unique_ptr<QPrinter> pdfDrucker(const std::string& pfad);

// A document drawn on the canvas, rendered as PDF/A-1b into memory with the page of pdfDrucker: every
// font embedded, an sRGB output intent. Empty when the document could not be rendered.
std::string pdfAErstellen(const std::function<void(Leinwand&)>& zeichnen);

} // namespace fkb::ui
