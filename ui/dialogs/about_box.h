// The About box: title, credits and the program emblem that a card back keeps sliding over.
#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>

#include "game_view.h"

class QLabel;
class QTimer;

namespace vimbrel {

class LogoPicture;

// Created for one showing and destroyed when closed (it deletes itself on close).
class AboutBox final : public QDialog {
    Q_OBJECT

public:
    // back: the board's card back, whose size is the animation's W by H; emblem: the logo image;
    // temp_pic: the board's scratch picture, in which every animation frame is composed;
    // game_speed: the game speed slider's value, read as the pause factor at every step.
    AboutBox(const QPixmap& back, const QPixmap& emblem, QPixmap& temp_pic,
             std::function<int()> game_speed, QWidget* parent = nullptr);

    // 0: the logo shows the emblem; 1: the card back covers it.
    int phase() const { return phase_; }

    // One sweep of the logo animation, covering or uncovering; Timer1's tick.
    void tick();

private:
    // One sweep of the card back over the emblem (close) or off it (open), step by step.
    void sweep(CardMotion motion);
    void show_frame_and_pause();

    QPixmap back_;
    QPixmap& temp_pic_;
    std::function<int()> game_speed_;
    QTimer* timer_ = nullptr;
    QLabel* origin_logo_ = nullptr;
    LogoPicture* logo_ = nullptr;
    int phase_ = 0;
    int w_ = 0;
    int h_ = 0;
};

}  // namespace vimbrel
