#include "ui/QtPlattform.h"

#include "qtdruck/QtLeinwand.h"
#include "ui/InfoForm.h"
#include "ui/Meldungsbox.h"
#include "ui/QtTexte.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace fkb::ui {

QtPlattform::QtPlattform() = default;
QtPlattform::~QtPlattform() = default;

QWidget* QtPlattform::besitzer() const {
    return fenster && fenster->isVisible() ? fenster : nullptr;
}

void QtPlattform::fehlerMelden(const std::string& text) {
    antwortJa(*meldungsbox(besitzer(), QMessageBox::Critical, QStringLiteral("Fehler"), text, Antworten::Ok));
}

void QtPlattform::hinweisMelden(const std::string& text) {
    antwortJa(*meldungsbox(besitzer(), QMessageBox::Information, QStringLiteral("Information"), text, Antworten::Ok));
}

bool QtPlattform::bestaetigen(const std::string& text) {
    return antwortJa(
        *meldungsbox(besitzer(), QMessageBox::Question, QStringLiteral("Bestätigung"), text, Antworten::JaVorgabe));
}

bool QtPlattform::bestaetigenVorgabeNein(const std::string& text) {
    return antwortJa(
        *meldungsbox(besitzer(), QMessageBox::Question, QStringLiteral("Bestätigung"), text, Antworten::NeinVorgabe));
}

std::optional<std::string> QtPlattform::dateiWaehlen(const DateiDialog& d) {
    QFileDialog dialog(besitzer(), qt(d.titel), qt(d.ordner), qtFilter(d.filter));
    // Qt's own dialog: the open dialog must take the name of a file that does not exist yet,
    // since the program offers to create it. Overwriting is asked by the program itself.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(d.art == DialogArt::Speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Datei&name:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept,
                        d.art == DialogArt::Speichern ? QStringLiteral("&Speichern") : QStringLiteral("Ö&ffnen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    // Lower case, as the filter looks for it on a file system that tells the cases apart.
    const QString endung = qt(d.endung).toLower();
    dialog.setDefaultSuffix(endung);
    if (!d.name.empty())
        dialog.selectFile(qt(d.name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString pfad = dialog.selectedFiles().constFirst();
    if (!endung.isEmpty() && QFileInfo(pfad).suffix().isEmpty())
        pfad += QLatin1Char('.') + endung;
    return kern(QDir::toNativeSeparators(pfad));
}

bool QtPlattform::druckDialog(const std::string& pdfVorschlag) {
    if (!drucker_) {
        drucker_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        drucker_->setPageSize(QPageSize(QPageSize::A4));
        drucker_->setCreator(QStringLiteral("Fakturbuch"));
    }
    const QString vorschlag = qt(pdfVorschlag);
    drucker_->setDocName(vorschlag.isEmpty() ? QStringLiteral("Fakturbuch") : QFileInfo(vorschlag).completeBaseName());
    // Printing into a file already, the file is this print's own; a real printer stays chosen.
    if (drucker_->outputFormat() == QPrinter::PdfFormat && !vorschlag.isEmpty())
        drucker_->setOutputFileName(vorschlag);
    QPrintDialog dialog(drucker_.get(), besitzer());
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    // With a real printer chosen, the dialog would offer its file output in the home folder: the file
    // entry waits with this print's own name beside the data file for a user who switches to the file.
    if (auto* datei = dialog.findChild<QLineEdit*>(QStringLiteral("filename")); datei && !vorschlag.isEmpty())
        datei->setText(vorschlag);
    // Every print is one whole document: there are no pages or selections to choose from.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

namespace {

// The desktop's opener starts detached and reports success even when no program is registered
// for the file type, so ask the desktop first.
bool betrachterEingetragen(const QString& pfad) {
    QProcess abfrage;
    abfrage.start(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QMimeDatabase().mimeTypeForFile(pfad).name()});
    return abfrage.waitForFinished(3000) && abfrage.exitCode() == 0 &&
           !abfrage.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

std::unique_ptr<Leinwand> QtPlattform::druckLeinwand() {
    if (!drucker_)
        drucker_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return std::make_unique<QtLeinwand>(*drucker_);
}

std::optional<std::string> QtPlattform::pdfErstellen(const std::function<void(Leinwand&)>& zeichnen) {
    return pdfAErstellen(zeichnen);
}

int QtPlattform::dokumentOeffnen(const std::string& dokument, const std::string&) {
    // The shell's convention: a result of 32 or more is success; 31 says no program is associated.
    const QString pfad = QDir::current().absoluteFilePath(qt(dokument));
    if (!QFileInfo::exists(pfad))
        return 2;
    if (betrachterEingetragen(pfad))
        return QDesktopServices::openUrl(QUrl::fromLocalFile(pfad)) ? 42 : 31;
    // No desktop entry for help files: the viewer the package recommends, if it is there.
    return QProcess::startDetached(QStringLiteral("xchm"), {pfad}) ? 42 : 31;
}

// Only xchm, the viewer the package brings, is told a topic on its command line; any other opens the
// manual at its start.
int QtPlattform::hilfeOeffnen(const std::string& dokument, int kontext) {
    const QString pfad = QDir::current().absoluteFilePath(qt(dokument));
    const QString xchm = QStandardPaths::findExecutable(QStringLiteral("xchm"));
    if (kontext <= 0 || xchm.isEmpty() || !QFileInfo::exists(pfad))
        return dokumentOeffnen(dokument, "open");
    return QProcess::startDetached(xchm, {QStringLiteral("-c"), QString::number(kontext), pfad}) ? 42 : 31;
}

void QtPlattform::infoZeigen() {
    InfoForm info(besitzer());
    info.exec();
}

std::string QtPlattform::programmOrdner() {
    return kern(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

std::string QtPlattform::ablageOrdner() {
    return kern(ablageOrdnerFuer(qt(programmOrdner())));
}

QString ablageOrdnerFuer(const QString& programmOrdner) {
    // An installed program lives where its user may not write (/usr/bin): files go to the documents.
    if (QFileInfo(programmOrdner).isWritable())
        return programmOrdner;
    QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(dokumente).isDir())
        dokumente = QDir::homePath();
    return dokumente.endsWith(QLatin1Char('/')) ? dokumente : dokumente + QLatin1Char('/');
}

Zeitpunkt QtPlattform::jetzt() {
    return systemZeit();
}

void QtPlattform::beenden() {
    if (fenster)
        fenster->close();
    QCoreApplication::quit();
}

} // namespace fkb::ui
