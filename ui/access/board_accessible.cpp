// The card grid as an accessible list: the board, its cells, and the factory that hands it to Qt.
#include "access/board_accessible.h"
#include "access/announcer.h"
#include "access/setting_menu.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "board/board_view.h"
#include "board/card_pictures.h"
#include "board/status_panel.h"
#include "dialogs/start_dialog.h"
#include "twips_placement.h"

namespace vimbrel {

// The cells' names are texts of the board for its translators: they share its context. The
// place comes first, so that a player moving the cursor hears where it is before anything else.
QString cell_accessible_name(const GameState& state, int cell) {
    const int grid = state.grid_size > 0 ? state.grid_size : 1;
    const int row = (cell - 1) / grid + 1;
    const int col = (cell - 1) % grid + 1;
    QString what;
    if (cell >= 1 && cell <= max_cells && state.cell_state[cell] == face_up &&
        state.card_face[cell] >= 0 && state.card_face[cell] < face_count) {
        what = QCoreApplication::translate(face_names_context, face_names[state.card_face[cell]]);
    } else if (cell >= 1 && cell <= max_cells && state.cell_state[cell] == removed) {
        //: Screen readers: a cell whose pair was taken, after "Row 2, column 3, ".
        what = QCoreApplication::translate("vimbrel::BoardView", "empty");
    } else {
        //: Screen readers: a face-down card, whose picture is never told, after
        //: "Row 2, column 3, ".
        what = QCoreApplication::translate("vimbrel::BoardView", "hidden");
    }
    //: Screen readers: a card on the board; %1 its row and %2 its column, counted from the top
    //: left corner, %3 what lies there: "hidden", "empty" or its picture when it is face up
    //: (a frog...).
    return QCoreApplication::translate("vimbrel::BoardView", "Row %1, column %2, %3")
        .arg(row)
        .arg(col)
        .arg(what);
}

namespace {

// One cell. It holds no state of its own: everything is read from the board when asked, so it
// stays right while cards open and close. When a smaller board is dealt, the board deletes the
// cells beyond it; until then they tell nothing.
class CellAccessible final : public QAccessibleInterface {
public:
    CellAccessible(BoardView* view, int cell) : view_(view), cell_(cell) {}

    bool isValid() const override { return view_; }
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
        if (t != QAccessible::Name || !on_board()) return {};
        return cell_accessible_name(view_->state(), cell_);
    }

    QRect rect() const override {
        if (!on_board()) return {};
        const int grid = view_->state().grid_size;
        const QRect cell = view_->cell_rect((cell_ - 1) / grid + 1, (cell_ - 1) % grid + 1);
        return {view_->mapToGlobal(cell.topLeft()), cell.size()};
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !on_board() || !view_->isVisible();
        s.disabled = on_board() && view_->state().cell_state[cell_] == removed;
        // Every place can hold the keyboard's cursor, an empty one too.
        s.focusable = true;
        s.focused = on_board() && view_->hasFocus() && view_->cursor_cell() == cell_;
        return s;
    }

private:
    bool on_board() const { return view_ && cell_ <= view_->state().cell_count(); }

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
        // Counted from the grid's first column, at the right edge when the board reads right to
        // left.
        const QPoint at = mirrored_in(*view(), view()->mapFromGlobal(QPoint(x, y)));
        const QSize card = view()->cell_rect(1, 1).size();
        const int grid = view()->state().grid_size;
        if (at.x() < 0 || at.y() < 0 || card.isEmpty()) return nullptr;
        const int col = at.x() / card.width() + 1;
        const int row = at.y() / card.height() + 1;
        if (col > grid || row > grid) return nullptr;
        return child((row - 1) * grid + col - 1);
    }

    // The cells of a bigger board leave the list as soon as a smaller one is dealt: each is said
    // to be gone, which a reader hears as a child removed from the list. Their interfaces stay
    // (they answer as hidden places with no name, and come back when a bigger board is dealt): a
    // reader keeps asking for a while about the cells it has met, and Qt answers a question about
    // an interface it no longer has with a warning.
    void drop_cells_off_board() {
        for (int index = cell_count(); index < listed_; ++index) {
            if (!cells_[index] || !QAccessible::isActive()) continue;
            QAccessibleEvent gone(QAccessible::accessibleInterface(cells_[index]),
                                  QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&gone);
        }
        listed_ = cell_count();
    }

private:
    BoardView* view() const { return static_cast<BoardView*>(widget()); }
    int cell_count() const {
        const int n = view()->state().cell_count();
        return n > 0 && n <= max_cells ? n : 0;
    }

    mutable std::array<QAccessible::Id, max_cells> cells_{};  // made on first request
    int listed_ = 0;  // how many cells the list held at the last deal
};

// What changes on the board, told to assistive technology as it happens: a cell's new name once
// its card has moved, the cursor's cell as the focused one, every cell afresh after a deal. Only
// while assistive technology listens; it lives as long as the board.
class BoardNews final : public QObject {
public:
    explicit BoardNews(BoardView* view) : QObject(view), view_(view) {
        connect(view, &BoardView::cell_changed, this, &BoardNews::cell_changed);
        connect(view, &BoardView::cursor_moved, this, &BoardNews::cursor_focused);
        // After Qt has announced the board itself, so that the cell is what a screen reader says.
        connect(view, &BoardView::focused, this, &BoardNews::cursor_focused, Qt::QueuedConnection);
        connect(view, &BoardView::dealt, this, &BoardNews::dealt);
    }

private:
    const GameState& state() const { return view_->state(); }

    // The grid's accessible children are its cells, in reading order, from index 0. The news goes
    // out once the running handler is over, because a closing card turns face down only after its
    // motion.
    void cell_changed(int row, int col) {
        if (!QAccessible::isActive()) return;
        const int index = (row - 1) * state().grid_size + col - 1;
        QMetaObject::invokeMethod(
            this,
            [this, index] {
                if (index >= state().cell_count()) return;  // a smaller board was dealt meanwhile
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
                // Orca 48 says the focused cell's new name, and the announcer has said the
                // picture of a card turned there: its new name waits until the cursor leaves. A
                // card that closes or leaves under the cursor is told at once.
                if (view_->hasFocus() && index == view_->cursor_cell() - 1 &&
                    state().cell_state[index + 1] == face_up) {
                    untold_ = index;
                    return;
                }
#endif
                tell_name(index);
            },
            Qt::QueuedConnection);
    }

    void tell_name(int index) {
        if (untold_ == index) untold_ = -1;
        told_[index] = state().cell_state[index + 1];
        QAccessibleEvent changed(view_, QAccessible::NameChanged);
        changed.setChild(index);
        QAccessible::updateAccessibility(&changed);
    }

    void cursor_focused() {
        if (!QAccessible::isActive() || !view_->hasFocus()) return;
        QAccessibleEvent focus(view_, QAccessible::Focus);
        focus.setChild(view_->cursor_cell() - 1);
        QAccessible::updateAccessibility(&focus);
        // After the focus has moved: a reader takes the waiting name for its own, without a word.
        if (untold_ >= 0 && untold_ != view_->cursor_cell() - 1 && untold_ < state().cell_count())
            tell_name(untold_);
    }

    void dealt() {
        untold_ = -1;
        if (auto* board =
                dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(view_)))
            board->drop_cells_off_board();
        if (!QAccessible::isActive()) return;
        // A bigger board has cells the reader has not met: Qt tells each child of the list anew
        // (one signal a cell). The cells of a smaller board left above, and a board of the same
        // size has the same cells, which read their names from the board when asked.
        const int told_cells = told_grid_ * told_grid_;
        if (state().cell_count() > told_cells) {
            QAccessibleEvent reordered(view_, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&reordered);
        }
        // A screen reader must not keep an old name: every cell is face down again, and on a board
        // of another size every place has another number. A name that stays the same is not news
        // (each one may make the reader ask the game back).
        const bool new_places = std::exchange(told_grid_, state().grid_size) != state().grid_size;
        for (int index = 0; index < state().cell_count(); ++index)
            if (new_places || told_[index] != face_down) tell_name(index);
        cursor_focused();
    }

    BoardView* view_;
    int untold_ = -1;  // a cell opened under the cursor whose new name waits for it to leave
    // What each cell's name last told a screen reader (face down, face up or empty), and on how
    // many cards a side: a deal tells only the names that change.
    std::array<std::int16_t, max_cells> told_{};
    int told_grid_ = 0;
};

// A label of the status panel, with a text interface that holds what the label says: a screen
// reader reading the status bar keeps only the labels that have text, and Qt's own labels have
// none. The text is the accessible name, so that a score is read "You: 10 points", not "10".
class PanelLabelAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PanelLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? said() : QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // Read-only text without a caret or a selection.
    QString text(int start, int end) const override {
        const QString all = said();
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = end < 0 ? static_cast<int>(all.size())
                      : std::clamp(end, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(said().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString said() const {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? static_cast<QLabel*>(widget())->text() : name;
    }
};

// The status panel as a status bar, so that a screen reader's "read the status bar" command
// finds the scores, whose turn it is and the round: the labels the panel reads aloud, then what
// else lives in it that is not a label (the announcer's notifications).
class PanelAccessible final : public QAccessibleWidget {
public:
    explicit PanelAccessible(StatusPanel* panel)
        : QAccessibleWidget(panel, QAccessible::StatusBar) {}

    int childCount() const override { return static_cast<int>(told().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> widgets = told();
        return index >= 0 && index < widgets.size()
                   ? QAccessible::queryAccessibleInterface(widgets[index])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return static_cast<int>(told().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> told() const {
        QList<QWidget*> widgets;
        for (QLabel* label : static_cast<StatusPanel*>(widget())->read_aloud()) widgets << label;
        for (QWidget* w : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && !qobject_cast<QLabel*>(w)) widgets << w;
        return widgets;
    }
};

#if VIMBREL_ANNOUNCEMENT_EVENT
// The end's message box. Orca 48 reads a box's description in place of its labels, and leaves out
// labels of fewer than three words ("You win."): the description holds the whole message. Orca 43
// reads the labels, and the description besides: there the box keeps Qt's own.
class MessageBoxAccessible final : public QAccessibleWidget {
public:
    explicit MessageBoxAccessible(QMessageBox* box)
        : QAccessibleWidget(box, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Description) return QAccessibleWidget::text(t);
        const auto* box = static_cast<QMessageBox*>(widget());
        return QStringList{box->text(), box->informativeText()}.join(QLatin1Char(' ')).trimmed();
    }
};
#endif

// A frame of options in the welcome dialog, told to a screen reader as a filler (Qt's client
// area) named by its title rather than as a panel: Orca names the group of the focused option from
// the panel or filler around it, and says a named panel besides as the place the focus entered
// ("Players Mode panel", then "Players Mode."), but never a filler. So the group is said once.
class OptionFrameAccessible final : public QAccessibleWidget {
public:
    explicit OptionFrameAccessible(QGroupBox* frame)
        : QAccessibleWidget(frame, QAccessible::Client) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QGroupBox*>(widget())->title();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* board_factory(const QString&, QObject* object) {
#if VIMBREL_ANNOUNCEMENT_EVENT
    if (auto* box = qobject_cast<QMessageBox*>(object)) return new MessageBoxAccessible(box);
#endif
    if (auto* view = qobject_cast<BoardView*>(object)) return new BoardAccessible(view);
    if (auto* panel = qobject_cast<StatusPanel*>(object)) return new PanelAccessible(panel);
    if (auto* label = qobject_cast<QLabel*>(object);
        label && qobject_cast<StatusPanel*>(label->parentWidget()))
        return new PanelLabelAccessible(label);
    if (auto* frame = qobject_cast<QGroupBox*>(object);
        frame && qobject_cast<StartDialog*>(frame->parentWidget()))
        return new OptionFrameAccessible(frame);
    return nullptr;
}

}  // namespace

void tell_board_changes(BoardView& view) {
    new BoardNews(&view);
}

void install_board_accessibility() {
    static const bool installed = (QAccessible::installFactory(&board_factory),
                                   QAccessible::installFactory(&setting_menu_factory), true);
    (void)installed;
}

}  // namespace vimbrel
