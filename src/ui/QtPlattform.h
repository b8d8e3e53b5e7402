#pragma once

#include "app/Plattform.h"

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace fkb::ui {

// The platform of the real program: Qt's message boxes and dialogs, the desktop's shell,
// the program's folder and the system clock.
class QtPlattform : public GrundPlattform {
public:
    QtPlattform();
    ~QtPlattform() override;

    // The window that owns the boxes and dialogs once it is shown.
    QWidget* fenster = nullptr;

    void fehlerMelden(const std::string& text) override;
    void hinweisMelden(const std::string& text) override;
    bool bestaetigen(const std::string& text) override;
    bool bestaetigenVorgabeNein(const std::string& text) override;
    std::optional<std::string> dateiWaehlen(const DateiDialog& dialog) override;
    bool druckDialog(const std::string& pdfVorschlag) override;
    std::unique_ptr<Leinwand> druckLeinwand() override;
    std::optional<std::string> pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) override;
    int dokumentOeffnen(const std::string& dokument, const std::string& verb) override;
    int hilfeOeffnen(const std::string& dokument, int kontext) override;
    void infoZeigen() override;
    std::string programmOrdner() override;
    std::string ablageOrdner() override;
    Zeitpunkt jetzt() override;
    void beenden() override;

private:
    QWidget* besitzer() const;

    // The printer of the last print dialog: the next dialog starts from its choices.
    std::unique_ptr<QPrinter> drucker_;
};

// The file dialogs' first folder for a program in `programmOrdner` (with its trailing separator):
// that folder while its user may write there, else the user's documents (or home).
QString ablageOrdnerFuer(const QString& programmOrdner);

} // namespace fkb::ui
