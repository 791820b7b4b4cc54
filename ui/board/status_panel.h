// The status panel `display`: the players' names and scores, the turn text and the round.
#pragma once

#include <QFrame>
#include <QRect>
#include <QString>

#include <array>

#include "settings.h"

class QLabel;

namespace vimbrel {

// A raised 3-D panel holding seven grey labels at fixed places; the board window docks it at the
// right edge of its client area. Mouse releases over it stay here and never reach the board.
class StatusPanel final : public QFrame {
    Q_OBJECT

public:
    explicit StatusPanel(QWidget* parent = nullptr);

    // index 0: player 1's label, index 1: player 2's or the computer's.
    void set_score(int index, int value);
    void set_names(const QString& first, const QString& second);
    void set_status(const QString& text);
    void set_round(int round);

    // Repaints the panel and its labels at once, without running the event loop.
    void repaint_now();

    // The width the board window gives the panel: 1695 twips on its screen, 113 pixels at 96 dpi,
    // so that the labels placed in twips fit it at every logical dpi.
    int fixed_width() const { return width_; }
    // The least height that shows every label whole: more than a small grid's above 96 dpi.
    int least_height() const { return childrenRect().bottom() + 1 + frameWidth(); }
    // What a screen reader reads as the window's status bar, in order: each score, named after
    // its player (so the names are not read again), whose turn it is and the round.
    std::array<QLabel*, 4> read_aloud() const { return {score_[0], score_[1], status_, round_}; }

private:
    // A score read out alone would be a bare number: its accessible name says whose it is.
    void name_score(int index);
    // Widens a name label that its translated name would overflow; never narrower than its place.
    void fit_name(int index);

    std::array<QLabel*, 2> player_name_{};
    std::array<QLabel*, 2> score_{};
    QLabel* status_ = nullptr;
    QLabel* round_ = nullptr;
    // Where the names and the turn text were placed, before any widening for a long text.
    std::array<QRect, 2> name_place_{};
    QRect status_place_;
    int width_ = 0;
};

}  // namespace vimbrel
