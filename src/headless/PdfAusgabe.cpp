// The PDF output of the driver: the GUI's printer canvas on a PDF-format printer, under a Qt
// application on the offscreen platform that is made only when a first PDF is rendered.
#include "headless/Druckausgabe.h"

#ifdef FKB_PDF
#include "qtdruck/QtLeinwand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPrinter>
#endif

#include <stdexcept>

namespace fkb {

#ifdef FKB_PDF
namespace {

void qtAnwendungSicherstellen() {
    if (QCoreApplication::instance())
        return;
    // The driver has no screen to show anything on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fakturbuch-headless";
    static char* argv[] = {name, nullptr};
    static QGuiApplication anwendung(argc, argv);
}

// The printer lives as long as the canvas that draws on it.
struct PdfDrucker {
    std::unique_ptr<QPrinter> drucker;
};

class PdfLeinwand : private PdfDrucker, public ui::QtLeinwand {
public:
    explicit PdfLeinwand(const std::string& pfad) : PdfDrucker{ui::pdfDrucker(pfad)}, QtLeinwand(*drucker) {}
};

} // namespace

std::unique_ptr<Leinwand> pdfLeinwand(const std::string& pfad) {
    qtAnwendungSicherstellen();
    return std::make_unique<PdfLeinwand>(pfad);
}

std::optional<std::string> pdfDokument(const std::function<void(Leinwand&)>& zeichnen) {
    qtAnwendungSicherstellen();
    return ui::pdfAErstellen(zeichnen);
}

#else

std::unique_ptr<Leinwand> pdfLeinwand(const std::string&) {
    throw std::runtime_error("PDF-Ausgabe ist nicht verfügbar: fakturbuch-headless ist ohne Qt gebaut");
}

std::optional<std::string> pdfDokument(const std::function<void(Leinwand&)>&) {
    return std::nullopt;
}

#endif

} // namespace fkb
