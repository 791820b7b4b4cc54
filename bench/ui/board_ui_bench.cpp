// The board window's drawing, measured on whatever platform Qt is given (xcb under Xvfb, or
// offscreen). The window is built as the program's main builds it; its start dialog is skipped.
//   board_ui_bench animation [DELAY...]   card animations at these door_delays (0 1 10 100)
//   board_ui_bench repaint                full repaints of a dealt 10 by 10 board
//   board_ui_bench timers [TURNS]         the 5-second limit of TURNS turns (default 40), each on
//                                         a board of its own, started at staggered moments
// Prints key=value lines: medians, and ratios of measured to nominal time.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "board/board_view.h"
#include "board/board_window.h"
#include "board/card_pictures.h"

using namespace vimbrel;

namespace {

using Clock = std::chrono::steady_clock;

double ms_between(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double process_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs the event loop until the board has been painted once and then for a little longer, so the
// window is on the screen and settled before anything is measured.
bool wait_until_shown(BoardWindow& board) {
    bool painted = false;
    const auto connection =
        QObject::connect(board.board_view(), &BoardView::painted, [&painted] { painted = true; });
    QElapsedTimer waited;
    waited.start();
    while (!painted && waited.elapsed() < 10'000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QObject::disconnect(connection);
    const qint64 shown = waited.elapsed();
    while (waited.elapsed() < shown + 300) QApplication::processEvents(QEventLoop::AllEvents, 50);
    return painted;
}

// The motions alternate so that every run starts from the picture the last one left.
CardMotion motion_of_run(int run) {
    return run % 2 == 0 ? CardMotion::open : CardMotion::close;
}

// Enough runs for a steady median in about two seconds (five runs, eight seconds, at 100).
int runs_at(int door_delay) {
    if (door_delay == 0) return 301;
    return std::clamp(2000 / (16 * door_delay) | 1, 5, 101);
}

// Ratios of wall time to nominal time at door_delays from 1; the absolute time at 0.
void bench_animation(BoardWindow& board, const std::vector<int>& door_delays) {
    BoardView& view = *board.board_view();
    const int steps = board.pictures().card_size().width();
    constexpr int face = 3;
    for (const int door_delay : door_delays) {
        const int runs = runs_at(door_delay);
        std::vector<double> wall;
        std::vector<double> cpu_ms;
        std::vector<double> cpu_share;
        for (int run = 0; run < runs; ++run) {
            QApplication::processEvents();  // what the event loop would do between two moves
            const double cpu_before = process_cpu_ms();
            const auto before = Clock::now();
            view.animate_card(motion_of_run(run), 2, 3, face, door_delay);
            const auto after = Clock::now();
            const double cpu = process_cpu_ms() - cpu_before;
            wall.push_back(ms_between(before, after));
            cpu_ms.push_back(cpu);
            cpu_share.push_back(cpu / ms_between(before, after));
        }
        const double nominal_ms = steps * door_delay * 0.5;
        const double wall_ms = median(wall);
        std::printf("anim_d%d_runs=%d\nanim_d%d_ms=%.3f\n", door_delay, runs, door_delay, wall_ms);
        if (door_delay > 0)
            std::printf("anim_d%d_nominal_ms=%.1f\nanim_d%d_ratio=%.4f\n", door_delay, nominal_ms,
                        door_delay, wall_ms / nominal_ms);
        std::printf("anim_d%d_cpu_ms=%.3f\nanim_d%d_cpu_share=%.4f\n", door_delay, median(cpu_ms),
                    door_delay, median(cpu_share));
    }
}

void bench_repaint(BoardWindow& board) {
    board.game().apply_start_choices(Players::vs_computer, 10);
    board.game().start_new_game();
    QApplication::processEvents();
    BoardView& view = *board.board_view();
    for (int i = 0; i < 50; ++i) view.repaint();  // warm the pixmap and glyph caches
    constexpr int runs = 2001;
    int painted = 0;
    const auto counting = QObject::connect(&view, &BoardView::painted, [&painted] { ++painted; });
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto before = Clock::now();
        view.repaint();
        times.push_back(ms_between(before, Clock::now()));
    }
    QObject::disconnect(counting);
    const GameState& state = board.game().state();
    // A repaint that drew nothing would be fast and wrong: each one must have run paintEvent.
    if (painted != runs || view.width() < state.grid_size * state.card_width) {
        std::fprintf(stderr, "repaint: %d paints for %d repaints, board %d px wide\n", painted,
                     runs, view.width());
        std::exit(1);
    }
    std::printf("repaint_runs=%d\nrepaint_cells=%d\nrepaint_ms=%.4f\n", runs,
                state.grid_size * state.grid_size, median(times));
}

// Records when a timer's tick is delivered, before the handler it calls has run.
class TickClock final : public QObject {
public:
    explicit TickClock(QObject* timer) { timer->installEventFilter(this); }
    Clock::time_point fired{};

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer && fired == Clock::time_point{}) fired = Clock::now();
        return false;
    }
};

// From a first card to its time over, against the promised 5,000 ms. The turns run side by side
// on boards of their own, each started a random 60-100 ms after the last, so that they begin at
// every phase of the clock (a coarse timer's error depends on it) and no two ticks or first cards
// fall together. The spread (longest minus shortest) and the worst error are ratios to 5,000 ms.
void bench_timers(int turns) {
    std::mt19937 chance(20261208);
    std::uniform_int_distribution<int> gap(60, 100);
    std::vector<std::unique_ptr<BoardWindow>> boards;
    std::vector<std::unique_ptr<TickClock>> ticks;
    std::vector<Clock::time_point> started;
    for (int turn = 0; turn < turns; ++turn) {
        auto board = std::make_unique<BoardWindow>(CardPictures::from_resources());
        board->game().take_first_paint();
        board->game().apply_start_choices(Players::two_people, 6);
        board->game().start_new_game();
        board->game().set_door_delay(0);
        ticks.push_back(std::make_unique<TickClock>(board->findChild<QTimer*>("time_over")));
        boards.push_back(std::move(board));
    }
    for (auto& board : boards) {
        QElapsedTimer wait;
        wait.start();
        const int pause = gap(chance);
        while (wait.elapsed() < pause)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        board->game().pick(1, 1);
        started.push_back(Clock::now());
    }
    QElapsedTimer waited;
    waited.start();
    const auto all_fired = [&] {
        return std::all_of(ticks.begin(), ticks.end(),
                           [](const auto& t) { return t->fired != Clock::time_point{}; });
    };
    while (!all_fired() && waited.elapsed() < 30'000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!all_fired()) {
        std::fprintf(stderr, "timers: a time over never came\n");
        std::exit(1);
    }
    std::vector<double> limits;
    for (int turn = 0; turn < turns; ++turn)
        limits.push_back(ms_between(started[turn], ticks[turn]->fired));
    const auto [shortest, longest] = std::minmax_element(limits.begin(), limits.end());
    const double worst = std::max(time_limit_ms - *shortest, *longest - time_limit_ms);
    std::printf(
        "timer_turns=%d\ntimer_median_ms=%.3f\ntimer_shortest_ms=%.3f\n"
        "timer_longest_ms=%.3f\ntimer_spread_ratio=%.5f\ntimer_worst_ratio=%.5f\n",
        turns, median(limits), *shortest, *longest, (*longest - *shortest) / time_limit_ms,
        worst / time_limit_ms);
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool animation = argc > 1 && std::strcmp(argv[1], "animation") == 0;
    const bool repaint = argc > 1 && std::strcmp(argv[1], "repaint") == 0;
    const bool timers = argc > 1 && std::strcmp(argv[1], "timers") == 0;
    if (!animation && !repaint && !timers) {
        std::fprintf(stderr, "usage: %s animation|repaint|timers\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    if (timers) {
        std::printf("platform=%s\n", qPrintable(QApplication::platformName()));
        bench_timers(argc > 2 ? std::clamp(std::atoi(argv[2]), 2, 200) : 40);
        return 0;
    }
    QApplication::setApplicationName(QStringLiteral(VIMBREL_NAME));
    BoardWindow board(CardPictures::from_resources());
    QApplication::setWindowIcon(board.pictures().emblem());
    board.game().take_first_paint();  // no start dialog: nothing here answers it
    board.show();
    if (!wait_until_shown(board)) {
        std::fprintf(stderr, "the board was never painted\n");
        return 1;
    }
    std::printf("platform=%s\n", qPrintable(QApplication::platformName()));
    if (animation) {
        std::vector<int> door_delays;
        for (int i = 2; i < argc; ++i)
            door_delays.push_back(std::clamp(std::atoi(argv[i]), 0, 100));
        if (door_delays.empty()) door_delays = {0, 1, 10, 100};
        bench_animation(board, door_delays);
    }
    if (repaint) bench_repaint(board);
    return 0;
}
