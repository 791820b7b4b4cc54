// Window geometry given in twips (1/1440 inch), converted to the pixels Qt lays widgets out in.
#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace vimbrel {

// Converts with the screen's logical DPI: 15 twips a pixel at 96 dpi, which is what Qt reports on
// nearly every screen, since it scales its logical pixels for dense screens itself.
class Twips {
public:
    // The screen of `widget`, or the primary screen when there is no widget yet.
    explicit Twips(const QWidget* widget = nullptr)
        : Twips(widget && widget->screen() ? *widget->screen()
                                           : *QGuiApplication::primaryScreen()) {}
    explicit Twips(const QScreen& screen)
        : dpi_x_(screen.logicalDotsPerInchX()), dpi_y_(screen.logicalDotsPerInchY()) {}

    int x(int twips) const { return qRound(twips * dpi_x_ / 1440.0); }
    int y(int twips) const { return qRound(twips * dpi_y_ / 1440.0); }
    QSize size(int w, int h) const { return {x(w), y(h)}; }
    QPoint point(int l, int t) const { return {x(l), y(t)}; }
    QRect rect(int l, int t, int w, int h) const { return {x(l), y(t), x(w), y(h)}; }

    // Twips per pixel, as the game state keeps them.
    float per_pixel_x() const { return static_cast<float>(1440.0 / dpi_x_); }
    int per_pixel_y() const { return qRound(1440.0 / dpi_y_); }

private:
    qreal dpi_x_;
    qreal dpi_y_;
};

}  // namespace vimbrel
