#pragma once

#include <QListView>

namespace fkb::ui {

// A list whose choices come from the user only: a click, a drag across lines, a key that moves the
// current line, or Enter. Qt also moves the current line on its own — to the first line when the
// list gets the focus back — and that must not read and show a record.
class ListenAnsicht : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

signals:
    void gewaehlt(int zeile);

protected:
    // A line's tool tip shows only where the line is cut off at the right.
    bool viewportEvent(QEvent* ereignis) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    // What the item leaves free beside its text.
    int textRand() const;
    // Emits the current line if the user's action made another one current.
    bool neueZeileMelden(const QModelIndex& vorher);

    // The press already chose its line: the release of the same click does not choose it again.
    bool gewaehltBeimDruck_ = false;
};

} // namespace fkb::ui
