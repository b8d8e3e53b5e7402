#include "ui/Programmstart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace fkb::ui {

bool qtTexteLaden(QCoreApplication& anwendung) {
    auto* texte = new QTranslator(&anwendung);
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    if (!texte->load(deutsch, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete texte;
        return false;
    }
    return QCoreApplication::installTranslator(texte);
}

std::optional<QString> startDatei(const QStringList& argumente) {
    for (qsizetype i = 1; i < argumente.size(); ++i) {
        const QString& a = argumente[i];
        if (!a.isEmpty() && !a.startsWith(QLatin1Char('-')))
            return QDir::toNativeSeparators(QFileInfo(a).absoluteFilePath());
    }
    return std::nullopt;
}

} // namespace fkb::ui
