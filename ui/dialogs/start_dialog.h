// The start dialog `begin`: players mode and board size before a game.
#pragma once

#include <QDialog>

#include "game_state.h"

class QPushButton;
class QRadioButton;

namespace vimbrel {

// Its choices are its own state: OK only hides it, so the next opening shows the last choice.
// There is no Cancel; closing it through its frame writes nothing and marks it for destruction.
class StartDialog final : public QDialog {
    Q_OBJECT

public:
    // Builds the dialog at "1P vs Computer" and "8 x 8", centred on the screen of `parent`.
    explicit StartDialog(QWidget* parent = nullptr);

    Players players() const;
    int board_size() const;  // 6, 8 or 10

    // Whether it was closed through its window frame rather than by OK.
    bool closed_through_frame() const { return closed_through_frame_; }

    // Escape does nothing: without a Cancel button the dialog has no way out but OK and its frame.
    void reject() override {}

signals:
    // OK was pressed; emitted before the dialog hides.
    void chosen(vimbrel::Players players, int board_size);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ok();

    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QRadioButton* six_ = nullptr;
    QRadioButton* eight_ = nullptr;
    QRadioButton* ten_ = nullptr;
    QPushButton* command1_ = nullptr;
    bool closed_through_frame_ = false;
};

}  // namespace vimbrel
