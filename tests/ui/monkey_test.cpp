// Thousands of random player actions on the real board window: releases anywhere with any button,
// every enabled menu item, the dialogs answered every way, the timers ticking in any order. After
// every action the game, the menus, the pointer, the panel and (now and then) the screen must
// agree. VIMBREL_MONKEY_EVENTS sets how many actions; VIMBREL_MONKEY_SEED (a number or "random")
// the first session's seed; a failure names the seed, the state and the actions that led to it.
// The seed fixes the monkey's choices and, through VIMBREL_SEED, the window's own chance: a rerun
// with the printed seed deals the same cards and makes the same choices.
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include <array>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <string_view>

#include "board/board_menus.h"
#include "board/status_panel.h"
#include "cell_search.h"
#include "dialogs/about_box.h"
#include "dialogs/speed_control.h"
#include "dialogs/start_dialog.h"
#include "monkey_watchdog.h"
#include "random_generator.h"
#include "ui_test_support.h"
#include "window_checks.h"

namespace vimbrel::testing {
namespace {

constexpr int events_per_session = 500;
constexpr int default_events = 2000;
constexpr std::uint64_t default_seed = 20240611;
constexpr int screen_check_every = 25;
constexpr int trail_length = 30;

int requested_events() {
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("VIMBREL_MONKEY_EVENTS", &ok);
    return ok && events > 0 ? events : default_events;
}

std::uint64_t first_seed() {
    const QByteArray text = qgetenv("VIMBREL_MONKEY_SEED");
    if (text.isEmpty()) return default_seed;
    if (text == "random") {
        std::random_device device;
        return (std::uint64_t{device()} << 32) ^ device();
    }
    return text.toULongLong();
}

// One session: a board window played at random from its first paint to its end.
class Monkey final : public QObject {
public:
    Monkey(std::uint64_t seed, Watchdog& watchdog) : seed_(seed), rng_(seed), watchdog_(watchdog) {
        // Answers (or plays inside) whatever modal dialog is open; it ticks only inside their
        // event loops and in the waits, never in the middle of an action.
        poll_.setInterval(1);
        connect(&poll_, &QTimer::timeout, this, &Monkey::answer_modal);
        poll_.start();
    }

    // Opens a board and plays `events` random actions on it; returns the first fault, if any.
    QString play(int events) {
        note("open the board", QStringLiteral("session of %1 events").arg(events));
        const bool shipped_art = chance(0.5);
        qputenv("VIMBREL_SEED", QByteArray::number(static_cast<qulonglong>(seed_)));
        board_ = make_game_window(shipped_art ? CardPictures::from_resources()
                                              : CardPictures(placeholder_images()));
        game().set_door_delay(0);
        board_->show();
        if (!QTest::qWaitFor([&] { return game().state().round_no == 1 || !fault_.isEmpty(); },
                             20000))
            fail(QStringLiteral("the first game was never dealt"));
        if (fault_.isEmpty()) check(true);
        for (int i = 0; i < events && fault_.isEmpty(); ++i) step();
        return report();
    }

    // Closes the board through its frame: every timer stops, the dialogs go, nothing is left.
    QString close_window() {
        if (!fault_.isEmpty()) return report();
        note("close the window", {});
        board_->close();
        if (board_->isVisible()) fail(QStringLiteral("the board is still shown after closing it"));
        if (board_->start_dialog() || board_->speed_control().exists())
            fail(QStringLiteral("a dialog outlived the closed board"));
        after_the_end();
        return report();
    }

    // Chooses Exit, which ends every running event loop; one here stands in for the program's.
    QString exit_program() {
        if (!fault_.isEmpty()) return report();
        note("Exit", {});
        QEventLoop loop;
        QTimer::singleShot(0, board_.get(), [this] { board_->menus().quit->trigger(); });
        QTimer::singleShot(10000, &loop, [&] { loop.exit(99); });
        if (loop.exec() != 0) fail(QStringLiteral("Exit did not end the event loop"));
        after_the_end();
        return report();
    }

private:
    Game& game() { return board_->game(); }
    double roll() { return rng_.next(); }
    int below(int n) { return std::min(n - 1, static_cast<int>(roll() * n)); }
    bool chance(double p) { return roll() < p; }
    template <typename T>
    T pick_one(std::initializer_list<T> items) {
        return *(items.begin() + below(static_cast<int>(items.size())));
    }

    // ---- The outer actions ----

    void step() {
        ++event_;
        inside_budget_ = 6;
        if (--mood_left_ <= 0) {
            // Calm stretches let games run to their end; busy ones change settings mid-turn.
            calm_ = !calm_;
            mood_left_ = calm_ ? 100 + below(600) : 20 + below(80);
        }
        // Nothing left to turn (the game is over, or Show Cards turned everything): time for a
        // menu.
        const bool stuck = !any_timer_running() && !any_face_down();
        // The last pairs being judged: a dialog opened now may have the game end inside it.
        const GameState& s = game().state();
        const bool judging =
            timer(*board_, "next_turn")->isActive() || timer(*board_, "com_timer")->isActive();
        const bool last_judgement = judging && s.cell_count() / 2 - s.pairs_taken <= 2;
        // Weights of menu, panel, board, tick, events, slow cards, real time, resize. A calm
        // player turns cards while the board takes them and waits for the judgement otherwise.
        const bool takes_cards = s.cards_turned < 2 && !stuck;
        std::array<double, 8> weights{calm_ ? 0.0 : 0.18,
                                      0.03,
                                      takes_cards || !calm_ ? 0.4 : 0.05,
                                      judging || !calm_ ? 0.4 : 0.05,
                                      0.04,
                                      0.015,
                                      0.004,
                                      0.01};
        if (stuck) weights[0] = 0.3;
        if (last_judgement) weights[0] = 0.15;
        double r = roll() * std::accumulate(weights.begin(), weights.end(), 0.0);
        std::size_t action = 0;
        while (action + 1 < weights.size() && r >= weights[action]) r -= weights[action++];
        switch (action) {
            case 0:
                trigger_menu_item(last_judgement);
                break;
            case 1:
                release_on_panel();
                break;
            case 2:
                release_on_board();
                break;
            case 3:
                fire_a_timer();
                break;
            case 4:
                pump_events();
                break;
            case 5:
                slow_down();
                break;
            case 6:
                let_real_time_pass();
                break;
            default:
                resize_window();
                break;
        }
        keep_speed();
        check(true);
        if (fault_.isEmpty() && event_ % screen_check_every == 0 && !board_shows_the_state(*board_))
            fail(QStringLiteral("the board does not show the state"));
    }

    void release_on_board() {
        const GameState& s = game().state();
        int cell = 0;
        const double r = roll();
        if (s.cards_turned == 1 && r < (calm_ ? 0.7 : 0.2))
            cell = headless::face_down_partner(s, s.turned_cells[0]);
        if (!cell && r < 0.85) cell = random_face_down();
        if (!cell && r < 0.93) cell = 1 + below(s.cell_count());
        QPoint at;
        if (cell) {
            const QRect rect = cell_rect(*board_, cell);
            at = rect.topLeft() + QPoint(below(rect.width()), below(rect.height()));
        } else {
            at = off_the_grid();
        }
        if (at.isNull()) at = QPoint(1, 0);  // QTest would move (0, 0) to the widget's centre
        const Qt::MouseButton button =
            pick_one({Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                      Qt::BackButton, Qt::ForwardButton});
        const Qt::KeyboardModifiers keys =
            chance(0.7) ? Qt::NoModifier
                        : pick_one<Qt::KeyboardModifiers>(
                              {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                               Qt::ShiftModifier | Qt::ControlModifier, Qt::MetaModifier});
        BoardView* view = board_->board_view();
        const double how = roll();
        note("release on the board", QStringLiteral("%1 button %2 keys %3 at %4,%5 (cell %6)")
                                         .arg(how < 0.85   ? "release"
                                              : how < 0.95 ? "click"
                                                           : "double click")
                                         .arg(int(button))
                                         .arg(int(keys))
                                         .arg(at.x())
                                         .arg(at.y())
                                         .arg(cell));
        if (how < 0.85)
            QTest::mouseRelease(view, button, keys, at);
        else if (how < 0.95)
            QTest::mouseClick(view, button, keys, at);
        else
            QTest::mouseDClick(view, button, keys, at);
    }

    // Right and bottom edges of the grid, the white space a larger window leaves, the panel's
    // place, and points outside the widget altogether.
    QPoint off_the_grid() {
        const GameState& s = game().state();
        const int w = s.card_width * s.grid_size;
        const int h = s.card_height * s.grid_size;
        const QSize view = board_->board_view()->size();
        switch (below(5)) {
            case 0:
                return {w, below(h + 1)};
            case 1:
                return {below(w + 1), h};
            case 2:
                return {w + below(std::max(1, view.width() - w)), below(view.height())};
            case 3:
                return {below(view.width()), h + below(std::max(1, view.height() - h))};
            default:
                return {below(view.width() + 200) - 100, below(view.height() + 200) - 100};
        }
    }

    // Through the window, as the platform delivers it: the panel or one of its labels gets it.
    void release_on_panel() {
        StatusPanel* panel = board_->panel();
        const QList<QLabel*> labels = panel->findChildren<QLabel*>();
        const QWidget* target = chance(0.5) || labels.isEmpty() ? static_cast<QWidget*>(panel)
                                                                : labels[below(int(labels.size()))];
        const QPoint local(below(std::max(1, target->width())),
                           below(std::max(1, target->height())));
        const QPoint at = target->mapTo(board_.get(), local);
        const Qt::MouseButton button =
            pick_one({Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
        note("release on the panel",
             QStringLiteral("%1 at %2,%3").arg(target->objectName()).arg(at.x()).arg(at.y()));
        QTest::mouseRelease(board_->windowHandle(), button, {}, at);
    }

    // Any enabled item but Exit; New, Game Speed and About open their dialog, which the poll
    // answers.
    void trigger_menu_item(bool a_dialog) {
        BoardMenus& m = board_->menus();
        QList<QAction*> enabled;
        for (QAction* a : {m.new_game, m.show_cards, m.door_speed, m.about, m.six, m.eight, m.ten,
                           m.versus_computer, m.two_people, m.good_memory, m.normal_memory,
                           m.low_memory, m.ai_and_memory, m.memory_only})
            if (a->isEnabled() &&
                (!a_dialog || a == m.door_speed || (a == m.new_game && chance(0.2))))
                enabled.append(a);
        QAction* action = enabled[below(int(enabled.size()))];
        note("menu", action->objectName());
        action->trigger();
    }

    void fire_a_timer() {
        QList<const char*> running;
        for (const char* name : {"time_over", "next_turn", "com_timer"})
            if (timer(*board_, name)->isActive()) running.append(name);
        // A calm player mostly turns the second card in time.
        const bool only_the_limit =
            running.size() == 1 && running[0] == std::string_view("time_over");
        if (running.isEmpty() || (calm_ && only_the_limit && chance(0.9)))
            return release_on_board();
        const char* name = running[below(int(running.size()))];
        note("tick", QString::fromLatin1(name));
        fire(*board_, name);
    }

    void pump_events() {
        const int ms = below(3);
        note("process events", QStringLiteral("%1 ms").arg(ms));
        QTest::qWait(ms);
    }

    // A few actions with real pauses in the card animations.
    void slow_down() {
        slow_left_ = 1 + below(4);
        const int delay = 1 + below(2);
        note("slow cards",
             QStringLiteral("door delay %1 for %2 actions").arg(delay).arg(slow_left_));
        game().set_door_delay(delay);
    }

    // Lets a running timer expire by itself; the five-second limit at most once per program run.
    void let_real_time_pass() {
        static bool waited_for_the_time_limit = false;
        QTimer* judge = timer(*board_, "next_turn")->isActive() ? timer(*board_, "next_turn")
                                                                : timer(*board_, "com_timer");
        QTimer* limit = timer(*board_, "time_over");
        if (limit->isActive() && !waited_for_the_time_limit) {
            waited_for_the_time_limit = true;
            note("wait", QStringLiteral("for the time limit"));
            const QSignalSpy ticks(limit, &QTimer::timeout);
            if (!QTest::qWaitFor([&] { return !ticks.isEmpty(); }, 8000))
                fail(QStringLiteral("the time limit never expired"));
        } else if (judge->isActive()) {
            // The computer may take a pair and move again at once: wait for one tick, not for the
            // end.
            note("wait", judge->objectName());
            const QSignalSpy ticks(judge, &QTimer::timeout);
            if (!QTest::qWaitFor([&] { return !ticks.isEmpty(); }, 3000))
                fail(judge->objectName() + QStringLiteral(" never expired"));
        } else {
            pump_events();
        }
    }

    // The player drags the window's corner to any size; the layout keeps the grid and the panel.
    void resize_window() {
        const QSize to(50 + below(800), 50 + below(700));
        note("resize", QStringLiteral("%1 x %2").arg(to.width()).arg(to.height()));
        board_->resize(to);
        QCoreApplication::processEvents();
    }

    void keep_speed() {
        if (slow_left_ > 0)
            --slow_left_;
        else if (game().state().door_delay != 0)
            game().set_door_delay(0);
    }

    // ---- Inside modal dialogs ----

    void answer_modal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!board_ || inside_pending_ || !modal || !modal->isVisible()) return;
        if (inside_budget_ > 0 && chance(0.35)) {
            // Posted, not run here: a tick may open a nested modal, which this poll answers too.
            --inside_budget_;
            inside_pending_ = true;
            QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(modal)] {
                inside_pending_ = false;
                if (target && target->isVisible()) act_inside(target);
            });
            return;
        }
        answer(modal);
    }

    // The game's timers keep ticking while a dialog is open; the dialog's own controls move.
    void act_inside(QWidget* modal) {
        QList<const char*> running;
        for (const char* name : {"time_over", "next_turn", "com_timer"})
            if (timer(*board_, name)->isActive()) running.append(name);
        if (!running.isEmpty() && chance(0.6)) {
            const char* name = running[below(int(running.size()))];
            note("tick in a dialog", QString::fromLatin1(name));
            fire(*board_, name);
        } else if (auto* begin = qobject_cast<StartDialog*>(modal)) {
            const auto buttons = begin->findChildren<QRadioButton*>();
            QRadioButton* button = buttons[below(int(buttons.size()))];
            note("start dialog", button->objectName());
            button->click();
        } else if (auto* speed = qobject_cast<SpeedControl*>(modal)) {
            const int value = below(101);
            note("speed dialog", QStringLiteral("slider %1").arg(value));
            speed->findChild<QSlider*>(QStringLiteral("Hscroll1"))->setValue(value);
        } else if (auto* about = modal->findChild<QTimer*>(QStringLiteral("Timer1"));
                   about && about->isActive()) {
            note("about box", QStringLiteral("Timer1"));
            QMetaObject::invokeMethod(about, "timeout");
        } else {
            note("in a dialog", QStringLiteral("Escape"));
            QTest::keyClick(modal, Qt::Key_Escape);
        }
        check(false);
    }

    // OK (or the box's own button), Enter, the frame's close button, or Escape.
    void answer(QWidget* modal) {
        const double how = roll();
        const char* way = how < 0.45 ? "ok" : how < 0.6 ? "enter" : how < 0.85 ? "frame" : "escape";
        note("answer", QLatin1String(modal->metaObject()->className()) + QLatin1Char(' ') +
                           QLatin1String(way));
        int dialogs_shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            dialogs_shown += qobject_cast<QDialog*>(w) && w->isVisible();
        if (dialogs_shown > 1) ++tally_["answer a dialog over another"];
        if (qobject_cast<QMessageBox*>(modal)) ++tally_["game over"];
        if (auto* speed = qobject_cast<SpeedControl*>(modal)) {
            // Mostly no pauses, so that the About box's sweeps stay quick as well.
            speed->findChild<QSlider*>(QStringLiteral("Hscroll1"))
                ->setValue(chance(0.9) ? 0 : 1 + below(3));
        }
        QAbstractButton* ok = nullptr;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            ok = box->button(QMessageBox::Ok);
        else if (qobject_cast<StartDialog*>(modal) || qobject_cast<SpeedControl*>(modal) ||
                 qobject_cast<AboutBox*>(modal))
            ok = modal->findChild<QPushButton*>(QStringLiteral("Command1"));
        if (!ok) {
            fail(QStringLiteral("an unexpected modal window: ") +
                 QLatin1String(modal->metaObject()->className()));
            modal->close();
            return;
        }
        if (way[0] == 'o')
            ok->click();
        else if (way[0] == 'e' && way[1] == 'n')
            QTest::keyClick(modal, Qt::Key_Return);  // the default button
        else if (way[0] == 'f')
            modal->close();
        else
            QTest::keyClick(modal, Qt::Key_Escape);  // the start dialog stays; the poll comes back
    }

    // ---- Checks ----

    void check(bool between_actions) {
        if (!fault_.isEmpty()) return;
        const QString fault = fault_in_window(*board_, between_actions);
        if (!fault.isEmpty()) fail(fault);
    }

    // After Exit or closing: nothing runs, nothing is taken, and the board leaves nothing behind.
    void after_the_end() {
        for (const char* name : {"time_over", "next_turn", "com_timer"})
            if (timer(*board_, name)->isActive())
                fail(QStringLiteral("%1 still runs after the end").arg(name));
        const GameState before = game().state();
        click_cell(*board_, 1 + below(before.cell_count()));
        BoardMenus& m = board_->menus();
        for (QAction* item :
             {m.new_game, m.six, m.ten, m.versus_computer, m.two_people, m.show_cards})
            if (item->isEnabled()) item->trigger();
        if (game().state().cell_state != before.cell_state ||
            game().state().grid_size != before.grid_size)
            fail(QStringLiteral("the game changed after the end"));
        board_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (QGuiApplication::overrideCursor())
            fail(QStringLiteral("the busy pointer outlived the board"));
        if (!QApplication::topLevelWidgets().isEmpty())
            fail(QStringLiteral("a window outlived the board"));
    }

    // ---- Bookkeeping ----

    bool any_face_down() const { return headless::face_down_from(game_state(), 0) != 0; }
    bool any_timer_running() const {
        for (const char* name : {"time_over", "next_turn", "com_timer"})
            if (timer(*board_, name)->isActive()) return true;
        return false;
    }
    const GameState& game_state() const { return board_->game().state(); }
    int random_face_down() { return headless::face_down_from(game_state(), below(max_cells)); }

    // `kind` must be a string literal: the watchdog reads it from its own thread.
    void note(const char* kind, const QString& detail) {
        watchdog_.beat(seed_, event_, kind);
        ++tally_[kind];
        trail_.append(QStringLiteral("%1: %2 %3").arg(event_).arg(QLatin1String(kind), detail));
        if (trail_.size() > trail_length) trail_.removeFirst();
    }

    void fail(const QString& what) {
        if (fault_.isEmpty()) fault_ = what;
    }

public:
    // How often each kind of action ran, to show what a session covered.
    QString tally() const {
        QStringList parts;
        for (const auto& [kind, count] : tally_)
            parts.append(QStringLiteral("%1 %2").arg(QLatin1String(kind.c_str())).arg(count));
        return QStringLiteral("seed %1: ").arg(seed_) + parts.join(QStringLiteral(", "));
    }

private:
    QString report() const {
        if (fault_.isEmpty()) return {};
        QString text = QStringLiteral("seed %1, event %2: %3\n").arg(seed_).arg(event_).arg(fault_);
        if (board_) {
            const GameState& s = board_->game().state();
            text +=
                QStringLiteral(
                    "grid %1, player %2, cards turned %3, round %4, pairs %5, scores %6/%7\ncells:")
                    .arg(s.grid_size)
                    .arg(s.current_player)
                    .arg(s.cards_turned)
                    .arg(s.round_no)
                    .arg(s.pairs_taken)
                    .arg(s.score[1])
                    .arg(s.score[2]);
            for (int c = 1; c <= s.cell_count(); ++c)
                text += QStringLiteral(" %1").arg(s.cell_state[c]);
            text += QLatin1Char('\n');
        }
        return text + QStringLiteral("last actions:\n  ") + trail_.join(QStringLiteral("\n  "));
    }

    const std::uint64_t seed_;
    RandomGenerator rng_;
    Watchdog& watchdog_;
    std::unique_ptr<BoardWindow> board_;
    QTimer poll_;
    int event_ = 0;
    int inside_budget_ = 0;
    bool inside_pending_ = false;
    bool calm_ = false;
    int mood_left_ = 0;
    int slow_left_ = 0;
    QString fault_;
    QStringList trail_;
    std::map<std::string, int> tally_;
};

}  // namespace

// Fails with the report's first line; the whole report, with the actions that led to the fault,
// goes to the log first, since Qt Test cuts long failure messages short.
#define VERIFY_SOUND(report)                                             \
    do {                                                                 \
        const QString report_ = (report);                                \
        if (!report_.isEmpty()) {                                        \
            qWarning().noquote() << report_;                             \
            QFAIL(qPrintable(report_.section(QLatin1Char('\n'), 0, 0))); \
        }                                                                \
    } while (false)

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void random_sessions_keep_the_game_sound();
    void a_random_session_ends_with_exit();  // last: Exit ends every event loop of the program

private:
    Watchdog watchdog_{std::chrono::seconds(60)};
    const int events_ = requested_events();
    const std::uint64_t seed_ = first_seed();
    const int sessions_ = (events_ + events_per_session - 1) / events_per_session;
};

void MonkeyTest::random_sessions_keep_the_game_sound() {
    qInfo("monkey: %d events in sessions of %d from seed %llu", events_, events_per_session,
          static_cast<unsigned long long>(seed_));
    // Every session but the last ends by closing the window through its frame.
    for (int i = 0; i + 1 < sessions_; ++i) {
        Monkey monkey(seed_ + i, watchdog_);
        VERIFY_SOUND(monkey.play(events_per_session));
        VERIFY_SOUND(monkey.close_window());
        qInfo("%s", qPrintable(monkey.tally()));
    }
}

void MonkeyTest::a_random_session_ends_with_exit() {
    Monkey monkey(seed_ + sessions_ - 1, watchdog_);
    VERIFY_SOUND(monkey.play(events_ - (sessions_ - 1) * events_per_session));
    VERIFY_SOUND(monkey.exit_program());
    qInfo("%s", qPrintable(monkey.tally()));
}

}  // namespace vimbrel::testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A long run by hand outlasts Qt Test's five minutes per test; the watchdog still catches
    // hangs.
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    QApplication app(argc, argv);
    vimbrel::testing::MonkeyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "monkey_test.moc"
