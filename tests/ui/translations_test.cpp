// The translations: every text of the code translated in every shipped language, the desktop's
// language choosing one, and in each language every text the windows show translated and whole.
#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QStyle>
#include <QTranslator>
#include <QXmlStreamReader>

#include <tuple>

#include "board/board_menus.h"
#include "board/board_view.h"
#include "board/status_panel.h"
#include "game.h"
#include "translations.h"
#include "ui_test_support.h"

namespace vimbrel::testing {

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
};

// The messages lupdate found in the code, with their translations, from translations/<file>.
QList<Message> read_ts(const QString& file) {
    QFile ts(QStringLiteral(VIMBREL_TRANSLATIONS_DIR "/") + file);
    if (!ts.open(QIODevice::ReadOnly)) return {};
    QList<Message> messages;
    QString context;
    bool numerus = false;
    QXmlStreamReader xml(&ts);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        if (xml.name() == QLatin1String("message")) {
            messages.append({context, {}, {}});
            numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        }
        if (xml.name() == QLatin1String("source")) messages.last().source = xml.readElementText();
        if (xml.name() == QLatin1String("translation") && !numerus)
            messages.last().translation = xml.readElementText();
        // A text with a number has a translation for each plural form: each is a message here.
        if (xml.name() == QLatin1String("numerusform")) {
            if (!messages.last().translation.isEmpty()) messages.append(messages.last());
            messages.last().translation = xml.readElementText();
        }
    }
    return messages;
}

// The languages compiled into the program, vimbrel_<language>.qm each.
QStringList shipped_languages() {
    QStringList languages;
    for (const QString& file : QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("*.qm")}))
        languages << file.mid(8, file.size() - 11);
    return languages;
}

// Tells whether a text is made of one language's translations: a translation, with its %1, %2...
// filled by numbers, the program's name or other such texts ("Open card, frog, row 2, column 3").
class Translated {
public:
    explicit Translated(const QString& language) {
        const QRegularExpression place(QStringLiteral("%[1-9n]"));
        for (const Message& m : read_ts(QStringLiteral("vimbrel_%1.ts").arg(language))) {
            if (!m.translation.contains(place)) {
                plain_ << m.translation;
                continue;
            }
            // Each place a group, taking as little and as much as it can: "%1, %2" splits either
            // way.
            for (const char* group : {"(.+?)", "(.+)"}) {
                QStringList parts = m.translation.split(place);
                for (QString& part : parts) part = QRegularExpression::escape(part);
                filled_ << QRegularExpression(
                    QRegularExpression::anchoredPattern(parts.join(QLatin1String(group))));
            }
        }
    }

    bool operator()(const QString& text, int depth = 2) const {
        static const QRegularExpression number(QStringLiteral("\\A-?[0-9.]+\\z"));
        if (plain_.contains(text) || text == QLatin1String(VIMBREL_NAME) ||
            number.match(text).hasMatch())
            return true;
        if (depth == 0) return false;
        for (const QRegularExpression& pattern : filled_) {
            const QRegularExpressionMatch match = pattern.match(text);
            if (!match.hasMatch()) continue;
            bool all = true;
            for (int i = 1; i <= match.lastCapturedIndex() && all; ++i)
                all = (*this)(match.captured(i), depth - 1);
            if (all) return true;
        }
        return false;
    }

private:
    QSet<QString> plain_;
    QList<QRegularExpression> filled_;
};

// Every text a window and its widgets show or hand to screen readers.
QStringList texts_of(QWidget* window) {
    QStringList texts;
    const auto add = [&](const QString& text) {
        if (!text.isEmpty()) texts << text;
    };
    add(window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets << window;
    for (QWidget* widget : widgets) {
        add(widget->accessibleName());
        add(widget->accessibleDescription());
        if (auto* label = qobject_cast<QLabel*>(widget)) add(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) add(button->text());
        if (auto* frame = qobject_cast<QGroupBox*>(widget)) add(frame->title());
        if (auto* menu = qobject_cast<QMenu*>(widget)) {
            add(menu->title());
            for (const QAction* action : menu->actions()) add(action->text());
        }
    }
    return texts;
}

// Where a button's indicator and caption show: its size hint at its left edge, centred in height.
QRect shown_part(const QAbstractButton* button) {
    QRect part({0, 0}, button->sizeHint());
    part.moveCenter(button->geometry().center());
    part.moveLeft(button->x());
    return part;
}

// The widgets of a window whose text does not show whole: cut off by their own size or their
// parent's, or covered by a neighbouring button.
QStringList clipped(QWidget* window) {
    QStringList cut;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || qobject_cast<QMenu*>(widget)) continue;
        const QString name = widget->objectName() + QLatin1Char(' ');
        if (!widget->parentWidget()->rect().contains(widget->geometry()))
            cut << name + QStringLiteral("outside its parent");
        const QFontMetrics metrics = widget->fontMetrics();
        const auto too_wide = [&](const QString& text, const QRect& room, int flags) {
            const QRect needed =
                metrics.boundingRect(QRect(0, 0, room.width(), 10000), flags, text);
            return needed.width() > room.width() || needed.height() > room.height();
        };
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QRect room = label->contentsRect();
            if (too_wide(label->text(), room, label->wordWrap() ? int(Qt::TextWordWrap) : 0))
                cut << name + label->text();
        }
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            const int margin =
                button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
            if (too_wide(button->text(), button->rect().adjusted(margin, 0, -margin, 0), 0))
                cut << name + button->text();
        } else if (auto* option = qobject_cast<QAbstractButton*>(widget)) {
            if (option->sizeHint().width() > option->width()) cut << name + option->text();
            for (auto* other :
                 widget->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
                if (other != option && other->isVisibleTo(window) &&
                    shown_part(other).intersects(shown_part(option)))
                    cut << name + QStringLiteral("covers ") + other->objectName();
        }
        if (auto* frame = qobject_cast<QGroupBox*>(widget);
            frame && frame->minimumSizeHint().width() > frame->width())
            cut << name + frame->title();
    }
    return cut;
}

// A wordy language: every text twice as long as the English.
class Wordy : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override {
        return QString::fromUtf8(source).repeated(2);
    }
};

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void every_text_of_the_code_is_translated();
    void the_desktop_language_decides();
    void the_windows_show_every_text_translated_and_whole_data();
    void the_windows_show_every_text_translated_and_whole();
};

void TranslationsTest::every_text_of_the_code_is_translated() {
    // The .ts files are what lupdate found in the code (the translations_up_to_date test keeps
    // them so); the compiled translations inside the program must answer for each of their texts.
    const QStringList languages = shipped_languages();
    for (const char* wanted : {"de", "fr", "es"})
        QVERIFY2(languages.contains(QLatin1String(wanted)), wanted);
    for (const QString& language : languages) {
        const QList<Message> messages = read_ts(QStringLiteral("vimbrel_%1.ts").arg(language));
        QVERIFY(!messages.isEmpty());
        QTranslator compiled;
        QVERIFY2(compiled.load(QStringLiteral(":/i18n/vimbrel_%1.qm").arg(language)),
                 qPrintable(language));
        QStringList untranslated;
        for (const Message& m : messages)
            if (compiled.translate(m.context.toUtf8(), m.source.toUtf8()).isEmpty())
                untranslated << m.context + QStringLiteral(": ") + m.source;
        QVERIFY2(untranslated.isEmpty(), qPrintable(language + QStringLiteral(": ") +
                                                    untranslated.join(QStringLiteral(" | "))));
    }
}

void TranslationsTest::the_desktop_language_decides() {
    const auto your_turn = [] { return game_text(text::your_turn); };
    const auto qt_ok = [] { return QCoreApplication::translate("QPlatformTheme", "OK"); };
    const QString english = QStringLiteral("Your turn.");
    // English, or the C locale, ahead of a translated language keeps every text as it is.
    for (const QStringList& wanted :
         {QStringList{QStringLiteral("C"), QStringLiteral("de")},
          QStringList{QStringLiteral("en-US"), QStringLiteral("en")},
          QStringList{QStringLiteral("en-GB"), QStringLiteral("de-DE")}, QStringList{}}) {
        const Translations translations(wanted);
        QVERIFY2(translations.language().isEmpty(), qPrintable(wanted.join(QLatin1Char(','))));
        QCOMPARE(your_turn(), english);
    }
    {
        // A regional variant finds its language; Qt's own buttons follow.
        const Translations translations(
            {QStringLiteral("de-AT"), QStringLiteral("de-Latn-AT"), QStringLiteral("de")});
        QCOMPARE(translations.language(), QStringLiteral("de"));
        QCOMPARE(your_turn(), QStringLiteral("Du bist dran."));
    }
    {
        // A language without a translation, or a tag Qt does not know, gives way to the next one.
        const Translations translations({QStringLiteral("sv-SE"), QStringLiteral("x-unknown"),
                                         QStringLiteral("sv"), QStringLiteral("es-MX")});
        QCOMPARE(translations.language(), QStringLiteral("es"));
        QCOMPARE(your_turn(), QStringLiteral("Te toca."));
        QCOMPARE(qt_ok(), QStringLiteral("Aceptar"));
    }
    // The messages locale (LC_ALL, else LC_MESSAGES, else LANG) C or POSIX asks for English,
    // whatever language list the desktop sets beside it (Qt's list: LANGUAGE=de:fr).
    const QStringList qt_list{QStringLiteral("de"), QStringLiteral("fr")};
    const QStringList c_only{QStringLiteral("C")};
    for (const auto& [all, messages, lang, wanted] : {std::tuple{"", "C", "de_DE.UTF-8", c_only},
                                                      {"", "", "C.UTF-8", c_only},
                                                      {"POSIX", "de_DE", "de_DE", c_only},
                                                      {"", "de_AT.UTF-8", "C", qt_list},
                                                      {"de_DE.UTF-8", "C", "C", qt_list}}) {
        qputenv("LC_ALL", all);
        qputenv("LC_MESSAGES", messages);
        qputenv("LANG", lang);
        QCOMPARE(desktop_languages(qt_list), wanted);
    }
    // Gone with the object: the next window speaks English again.
    QCOMPARE(your_turn(), english);
    QCOMPARE(qt_ok(), QStringLiteral("OK"));

    // Which translation a desktop gets, of these, as Qt lists its languages (LANGUAGE=de_AT:fr
    // gives the first row). Another region's translation serves a language written in the same
    // script, so Portugal gets Brazil's, but Taiwan and Hong Kong not the simplified characters.
    const QStringList available =
        QStringLiteral("de fr es it pt_BR nl pl ru uk tr ja zh_CN ko ar he")
            .split(QLatin1Char(' '));
    const std::pair<const char*, const char*> choices[] = {
        {"de-AT de-Latn-AT fr fr-Latn-FR fr-FR", "de"},
        {"pt-PT pt-Latn-PT", "pt_BR"},
        {"zh-TW zh-Hant-TW en en-Latn-US", ""},
        {"zh-HK zh-Hant-HK fr", "fr"},
        {"zh-SG zh-Hans-SG", "zh_CN"},
        {"iw", "he"}};
    for (const auto& [wanted, expected] : choices)
        QVERIFY2(choose_translation(QString::fromLatin1(wanted).split(QLatin1Char(' ')),
                                    available) == QLatin1String(expected),
                 wanted);
}

// Each language's windows, and English mirrored as by Qt's -reverse. With VIMBREL_SCREENSHOTS
// set to a folder, each window is also saved there as <row>-<window>.png (scripts/screenshot).
void TranslationsTest::the_windows_show_every_text_translated_and_whole_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("reverse");
    QTest::newRow("en") << QStringLiteral("en") << false;
    QTest::newRow("en-reverse") << QStringLiteral("en") << true;
    QTest::newRow("wordy") << QStringLiteral("wordy") << false;
    for (const QString& language : shipped_languages())
        QTest::newRow(qPrintable(language)) << language << false;
}

void TranslationsTest::the_windows_show_every_text_translated_and_whole() {
    QFETCH(QString, language);
    QFETCH(bool, reverse);
    if (reverse) QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const auto unreverse =
        qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LayoutDirectionAuto); });
    const Translations speaking({language});  // "en" installs none
    Wordy wordy;
    const bool made_up =
        language == QLatin1String("wordy") && QCoreApplication::installTranslator(&wordy);
    QCOMPARE(speaking.language().isEmpty(), language == QLatin1String("en") || made_up);
    // Arabic and Hebrew read right to left, as their translation of Qt tells it.
    const bool rtl = reverse || QLocale(language).textDirection() == Qt::RightToLeft;
    QCOMPARE(QGuiApplication::isRightToLeft(), rtl);
    const QString shots = qEnvironmentVariable("VIMBREL_SCREENSHOTS");  // with the real cards
    auto board = shots.isEmpty() ? open_board() : open_board(CardPictures::from_resources());
    QVERIFY(board);
    QStringList texts;
    QStringList cut;
    const auto shoot = [&](QWidget* window, const QString& name) {
        if (!shots.isEmpty())
            window->grab().save(
                QStringLiteral("%1/%2-%3.png").arg(shots, QTest::currentDataTag(), name));
    };
    // English right to left is English mirrored: each widget at its twin's place of the row
    // before, counted from its parent's other edge.
    static QList<QRect> english_places;
    int twin = 0;
    const auto look_at = [&](QWidget* window) {
        texts << texts_of(window);
        cut << clipped(window);
        shoot(window, window->objectName());
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (language != QLatin1String("en") || !widget->isVisibleTo(window)) continue;
            QRect place = widget->geometry();
            if (!reverse) english_places << place;
            place.moveRight(widget->parentWidget()->width() - 1 - place.left());
            if (reverse && place != english_places.value(twin++))
                cut << widget->objectName() + QStringLiteral(" not mirrored");
        }
    };
    StatusPanel fresh;  // the panel as the first paint shows it, before the first deal names anyone
    look_at(&fresh);

    // The board against the computer, on the largest board so that every picture has a name.
    board->menus().ten->trigger();
    look_at(board.get());
    // Mirrored right to left: the panel at the left, the first column at the right, the arrows
    // moving the way they point and the cell under a point counted from the right.
    BoardView* view = board->board_view();
    const int panel_width = board->panel()->fixed_width();
    QCOMPARE(board->panel()->x(), view->x() + (rtl ? 0 : view->width() - panel_width));
    QCOMPARE(view->cell_rect(1, 1).x(), rtl ? view->width() - 32 : 0);
    int menus = 0;  // the menu bar's titles side by side, as wide as the narrowest window
    for (QAction* menu : board->menuBar()->actions())
        menus += board->menuBar()->actionGeometry(menu).width();
    if (menus > 6 * 32 + panel_width) cut << QStringLiteral("menu bar, %1 pixels").arg(menus);
    QTest::keyClick(view, Qt::Key_Left);
    QCOMPARE(view->cursor_cell(), rtl ? 2 : 1);
    QVERIFY(play_turn(*board, false).first);  // the computer's turn: "Computer thinking..."
    look_at(board.get());
    // The computer goes on after each pair it takes.
    while (fire(*board, "com_timer")) continue;
    QVERIFY(play_turn(*board, true).first);  // a pair: two empty places
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(board->board_view());
    const QPoint second = view->mapToGlobal(view->cell_rect(1, 2).center());
    QCOMPARE(grid->indexOfChild(grid->childAt(second.x(), second.y())), 1);
    const int cells = board->game().state().cell_count();
    const auto cell_names = [&] {
        for (int i = 0; i < cells; ++i) texts << grid->child(i)->text(QAccessible::Name);
    };
    cell_names();
    board->menus().show_cards->trigger();
    cell_names();

    // The panel's every turn text and pair of names, as the engine hands them over.
    StatusPanel* panel = board->panel();
    for (std::string_view status :
         {text::your_turn, text::first_player_turn, text::second_player_turn, text::time_over,
          text::computer_thinking}) {
        panel->set_status(game_text(status));
        cut << clipped(panel);
    }
    board->menus().two_people->trigger();  // "Player 1", "Player 2" and "1P's turn."
    look_at(board.get());

    // The end of a game of two people on the smallest board.
    board->menus().six->trigger();
    QString message;
    when_modal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        texts << box->windowTitle() << box->text() << box->informativeText();
        shoot(box, QStringLiteral("game_over"));
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    for (int pairs = 0; pairs < 18; ++pairs) QVERIFY(play_turn(*board, true).first);
    QVERIFY(!message.isEmpty());
    QVERIFY2(points(-5).contains(QLatin1String("-5")), qPrintable(points(-5)));  // a time over

    // The dialogs, as the menus open them (Game Speed slows the cards down: it comes last).
    for (QAction* command :
         {board->menus().new_game, board->menus().door_speed, board->menus().about}) {
        when_modal([&](QWidget* dialog) {
            look_at(dialog);
            press_ok(dialog);
        });
        command->trigger();
    }

    // Texts twice as long as English may be cut, but every widget keeps within its window.
    if (made_up) cut = cut.filter(QStringLiteral(" outside its parent"));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
    if (language == QLatin1String("en") || made_up) return;
    const Translated translated(language);
    QStringList english;
    for (const QString& text : texts)
        if (!translated(text)) english << text;
    english.removeDuplicates();
    QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral(" | "))));
}

}  // namespace vimbrel::testing

VIMBREL_UI_TEST_MAIN(vimbrel::testing::TranslationsTest)
#include "translations_test.moc"
