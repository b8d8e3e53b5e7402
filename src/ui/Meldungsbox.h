#pragma once

#include <QMessageBox>

#include <memory>
#include <string>

namespace fkb::ui {

// The buttons of a box: OK alone, or Ja and Nein with the one that Enter presses.
enum class Antworten { Ok, JaVorgabe, NeinVorgabe };

// A message box of the program, not yet shown: its caption, its icon, the text with the line breaks
// it brings (the core's carriage returns), "OK" or "&Ja" / "&Nein". Escape answers Nein or OK.
std::unique_ptr<QMessageBox> meldungsbox(QWidget* besitzer, QMessageBox::Icon bild, const QString& titel,
                                         const std::string& text, Antworten antworten);

// Shows the box modally; true when OK or Ja was chosen.
bool antwortJa(QMessageBox& box);

} // namespace fkb::ui
