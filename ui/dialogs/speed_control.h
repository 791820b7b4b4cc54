// The game speed dialog (a slider from "Fast" to "Slow") and the holder that keeps it alive.
#pragma once

#include <QDialog>
#include <QPointer>

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

// Keeps one game speed dialog alive between openings, and re-creates it after its frame closed it.
class SpeedSetting {
public:
    // parent becomes the dialog's parent (the board window), once the dialog is created.
    explicit SpeedSetting(QWidget* parent = nullptr);
    // Destroys the dialog if it exists.
    ~SpeedSetting();
    SpeedSetting(const SpeedSetting&) = delete;
    SpeedSetting& operator=(const SpeedSetting&) = delete;

    // The dialog; created hidden, at its initial value, if it does not exist.
    SpeedControl& dialog();
    // The slider's value; creates the dialog hidden if it does not exist.
    int value();
    // Shows the dialog modally; returns the slider's value once it has been hidden or destroyed.
    int show_modal();
    // Destroys the dialog if it exists; never creates it.
    void destroy();
    // Whether the dialog exists right now.
    bool exists() const { return !dialog_.isNull(); }

private:
    QPointer<QWidget> parent_;
    QPointer<SpeedControl> dialog_;
};

}  // namespace vimbrel
