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

// The languages the desktop asks for, most wanted first: Qt's list (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG), or only "C" when the messages locale is C or POSIX, whatever LANGUAGE says, as gettext
// has it: `LANG=C program` speaks the program's own English.
QStringList desktop_languages(const QStringList& qt_list = QLocale::system().uiLanguages());

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
