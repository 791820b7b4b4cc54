// The player's language: the program's and Qt's translations, and the engine's texts in it.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <string_view>

namespace vimbrel {

// An English text the engine hands over, in the player's language; the English itself where
// there is no translation.
QString game_text(std::string_view english);

// A text with a count (%n) in the player's language, in the plural form for that count. Qt fills
// %n only for counts of 0 and more; a negative count takes the form of its size, as every
// language's plural rules do, and keeps its sign ("-5 points").
QString translate_count(const char* context, const char* text, int count);

// A number of points, in the grammar of the player's language ("5 points", "-5 points").
QString points(int count);

// The translation ("de", "pt_BR"...), among `available`, for the first language in `ui_languages`
// (most wanted first, as QLocale::uiLanguages() lists them) that one serves; empty for English,
// or the C locale, ahead of every served language, or when none is. A language is served by its
// region's translation (pt_BR), else the language's own (pt), else one of another region written
// in the same script: Portugal reads Brazil's, Singapore mainland China's, but Taiwan and Hong
// Kong, which write the traditional characters, do not read the simplified ones of zh_CN.
QString choose_translation(const QStringList& ui_languages, const QStringList& available);

// The languages the desktop asks for, most wanted first: Qt's list (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG), or only "C" when the messages locale is C or POSIX, whatever LANGUAGE says, as gettext
// has it: `LANG=C program` speaks the program's own English.
QStringList desktop_languages(const QStringList& qt_list = QLocale::system().uiLanguages());

// Installs the translations for the first language in `ui_languages` (most wanted first, as
// QLocale::uiLanguages() lists them) that the program has, with Qt's own for the same language so
// that standard buttons match. English, or the C locale, ahead of every translated language keeps
// the program in English. Removes them again when destroyed. Qt lays the windows out right to
// left when the language's translation of Qt says so (QT_LAYOUT_DIRECTION), as Arabic's and
// Hebrew's do.
class Translations {
public:
    explicit Translations(const QStringList& ui_languages);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The language loaded ("de", "fr"...), or empty when the program speaks English.
    QString language() const { return language_; }

private:
    QTranslator program_;
    QTranslator qt_;
    QString language_;
};

}  // namespace vimbrel
