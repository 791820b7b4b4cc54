// Start-up probe for comparison: a bare Qt main window with a menu bar and a plain white client
// area of the board window's size, ended when its first frame is complete.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include "probe_frame.h"

namespace {

class WhiteArea final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.end();
        vimbrel::bench::report_when_the_frame_is_done();
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("Game"));
    QObject::connect(menu->addAction(QStringLiteral("Exit")), &QAction::triggered, &app,
                     &QApplication::quit);
    auto* area = new WhiteArea(&window);
    // The board window's client area at start-up: an 8 by 8 grid of 32-pixel cards and the panel.
    area->setMinimumSize(8 * 32 + 113, 8 * 32);
    window.setCentralWidget(area);
    window.show();
    return QApplication::exec();
}
