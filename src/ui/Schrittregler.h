#pragma once

#include <QWidget>

namespace fkb::ui {

// A horizontal up/down control: two arrow buttons, and the arrow keys while it has the focus.
// It keeps no position of its own; the core counts the steps.
class Schrittregler : public QWidget {
    Q_OBJECT
public:
    explicit Schrittregler(QWidget* eltern = nullptr);

signals:
    void schritt(bool auf);

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;
};

} // namespace fkb::ui
