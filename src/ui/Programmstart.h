#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

namespace fkb::ui {

// Qt's own texts in German (file and print dialogs, standard buttons, key names in the menus), from
// the translations the system installed; false when they are not there.
bool qtTexteLaden(QCoreApplication& anwendung);

// The data file named on the command line (`fakturbuch datei.fba`): the first argument after the
// program's name that is no option, as an absolute path.
std::optional<QString> startDatei(const QStringList& argumente);

} // namespace fkb::ui
