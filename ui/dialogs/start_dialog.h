// The start dialog `begin`: players mode and board size before a game.
#pragma once

#include <QDialog>

#include "game_state.h"

class QPushButton;
class QRadioButton;

namespace vimbrel {

// Its choices are its own state: OK accepts and hides it, so the next opening shows the last
// choice. There is no Cancel; closing it through its frame writes nothing and rejects it, which
// tells its holder (a KeptDialog) to throw it away.
class StartDialog final : public QDialog {
    Q_OBJECT

public:
    // Builds the dialog at "1P vs Computer" and "8 x 8", centred on the screen of `parent`.
    explicit StartDialog(QWidget* parent = nullptr);

    Players players() const;
    int board_size() const;  // one of board_sizes

    // Escape does nothing: without a Cancel button the dialog has no way out but OK and its frame.
    void reject() override {}

signals:
    // OK was pressed; emitted before the dialog is accepted and hides.
    void chosen(vimbrel::Players players, int board_size);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ok();

    QRadioButton* versus_computer_ = nullptr;
    QRadioButton* two_people_ = nullptr;
    QRadioButton* six_ = nullptr;
    QRadioButton* eight_ = nullptr;
    QRadioButton* ten_ = nullptr;
    QPushButton* ok_button_ = nullptr;
};

}  // namespace vimbrel
