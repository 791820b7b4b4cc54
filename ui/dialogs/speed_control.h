// The game speed dialog: a slider from "Fast" to "Slow".
#pragma once

#include <QDialog>

class QSlider;

namespace vimbrel {

// The slider's value is the animation pause factor itself: 0 = no pause, 100 = slowest.
class SpeedControl final : public QDialog {
    Q_OBJECT

public:
    // Builds the dialog hidden, slider at 10, centred on the screen.
    explicit SpeedControl(QWidget* parent = nullptr);

    // The slider's current position.
    int value() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSlider* slider_ = nullptr;
};

}  // namespace vimbrel
