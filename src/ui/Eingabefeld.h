#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

namespace fkb::ui {

// Fields that start with their caption as text ("Name", "Firma", "Bemerkung"). While a field
// still holds it, a click or the Tab key selects it all, so that typing replaces the caption
// instead of adding to it.
class Eingabefeld : public QLineEdit {
    Q_OBJECT
public:
    explicit Eingabefeld(const QString& starttext, QWidget* eltern = nullptr);

protected:
    void mousePressEvent(QMouseEvent* ereignis) override;

private:
    QString starttext_;
};

class Textfeld : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Textfeld(const QString& starttext, QWidget* eltern = nullptr);

protected:
    void mousePressEvent(QMouseEvent* ereignis) override;
    void focusInEvent(QFocusEvent* ereignis) override;

private:
    bool haeltStarttext() const;

    QString starttext_;
};

} // namespace fkb::ui
