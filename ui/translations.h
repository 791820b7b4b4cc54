// The player's language: the program's and Qt's translations, and the engine's texts in it.
#pragma once

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

// Installs the translations for the first language in `ui_languages` (most wanted first, as
// QLocale::uiLanguages() lists them) that the program has, with Qt's own for the same language so
// that standard buttons match. English, or the C locale, ahead of every translated language keeps
// the program in English. Removes them again when destroyed.
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
