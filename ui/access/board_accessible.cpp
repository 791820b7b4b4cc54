// The card grid as an accessible list: the board, its cells, and the factory that hands it to Qt.
#include "access/board_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

#include <array>

#include "board/board_view.h"
#include "board/card_pictures.h"
#include "board/status_panel.h"

namespace vimbrel {

// The cells' names are texts of the board for its translators: they share its context.
QString cell_accessible_name(const GameState& state, int cell) {
    const int grid = state.grid_size > 0 ? state.grid_size : 1;
    const int row = (cell - 1) / grid + 1;
    const int col = (cell - 1) % grid + 1;
    //: Screen readers: where a card lies on the board, counted from the top left corner.
    const QString where =
        QCoreApplication::translate("vimbrel::BoardView", "row %1, column %2").arg(row).arg(col);
    if (cell < 1 || cell > max_cells) return where;
    switch (state.cell_state[cell]) {
        case face_up: {
            const int face = state.card_face[cell];
            if (face < 0 || face >= face_count) break;
            //: Screen readers: a face-up card; %1 is its picture (a frog...), %2 where it lies
            //: ("row 2, column 3").
            return QCoreApplication::translate("vimbrel::BoardView", "Open card, %1, %2")
                .arg(QCoreApplication::translate(face_names_context, face_names[face]), where);
        }
        //: Screen readers: the place of a pair already taken; %1 is where it lies.
        case removed:
            return QCoreApplication::translate("vimbrel::BoardView", "Empty place, %1").arg(where);
        default:
            break;
    }
    //: Screen readers: a face-down card, whose picture is never told; %1 is where it lies.
    return QCoreApplication::translate("vimbrel::BoardView", "Hidden card, %1").arg(where);
}

namespace {

// One cell. It holds no state of its own: everything is read from the board when asked, so it
// stays right while cards open and close, and is invalid once the board has fewer cells.
class CellAccessible final : public QAccessibleInterface {
public:
    CellAccessible(BoardView* view, int cell) : view_(view), cell_(cell) {}

    bool isValid() const override { return view_ && cell_ <= view_->state().cell_count(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid()) return {};
        return cell_accessible_name(view_->state(), cell_);
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const int grid = view_->state().grid_size;
        const QRect cell = view_->cell_rect((cell_ - 1) / grid + 1, (cell_ - 1) % grid + 1);
        return {view_->mapToGlobal(cell.topLeft()), cell.size()};
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !isValid() || !view_->isVisible();
        s.disabled = isValid() && view_->state().cell_state[cell_] == removed;
        // Every place can hold the keyboard's cursor, an empty one too.
        s.focusable = true;
        s.focused = isValid() && view_->hasFocus() && view_->cursor_cell() == cell_;
        return s;
    }

private:
    QPointer<BoardView> view_;
    int cell_;
};

// The board: exactly its cells, in reading order, so that a reader's "3 of 36" counts cards.
class BoardAccessible final : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView* view) : QAccessibleWidget(view, QAccessible::List) {}

    ~BoardAccessible() override {
        for (const QAccessible::Id id : cells_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return cell_count(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= cell_count()) return nullptr;
        QAccessible::Id& id = cells_[index];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new CellAccessible(view(), index + 1));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < cell_count(); ++i)
            if (cells_[i] && QAccessible::accessibleInterface(cells_[i]) == child) return i;
        return -1;
    }

    // The cursor cell, while the board has the keys.
    QAccessibleInterface* focusChild() const override {
        if (!view()->hasFocus()) return nullptr;
        const int cell = view()->cursor_cell();
        return cell >= 1 && cell <= cell_count() ? child(cell - 1) : nullptr;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = view()->mapFromGlobal(QPoint(x, y));
        const QSize card = view()->cell_rect(1, 1).size();
        const int grid = view()->state().grid_size;
        if (at.x() < 0 || at.y() < 0 || card.isEmpty()) return nullptr;
        const int col = at.x() / card.width() + 1;
        const int row = at.y() / card.height() + 1;
        if (col > grid || row > grid) return nullptr;
        return child((row - 1) * grid + col - 1);
    }

private:
    BoardView* view() const { return static_cast<BoardView*>(widget()); }
    int cell_count() const {
        const int n = view()->state().cell_count();
        return n > 0 && n <= max_cells ? n : 0;
    }

    mutable std::array<QAccessible::Id, max_cells> cells_{};  // made on first request
};

QAccessibleInterface* board_factory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<BoardView*>(object)) return new BoardAccessible(view);
    // A status bar, so that a screen reader's "read the status bar" command finds the scores,
    // whose turn it is and the round.
    if (auto* panel = qobject_cast<StatusPanel*>(object))
        return new QAccessibleWidget(panel, QAccessible::StatusBar);
    return nullptr;
}

}  // namespace

void install_board_accessibility() {
    static const bool installed = (QAccessible::installFactory(&board_factory), true);
    (void)installed;
}

}  // namespace vimbrel
