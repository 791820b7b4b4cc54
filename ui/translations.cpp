// Choosing and installing the translations, and translating the engine's texts.
#include "translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>

#include <string>

#include "game.h"

namespace vimbrel {

QString game_text(std::string_view english) {
    const std::string source(english);  // translate() wants the text's terminating zero
    return QCoreApplication::translate(text::context, source.c_str());
}

QStringList desktop_languages(const QStringList& qt_list) {
    QByteArray messages = qgetenv("LC_ALL");
    if (messages.isEmpty()) messages = qgetenv("LC_MESSAGES");
    if (messages.isEmpty()) messages = qgetenv("LANG");
    // Qt reads LANGUAGE under any locale; gettext ignores it under C (C.UTF-8 too) and POSIX.
    const QByteArray name = messages.split('.').first();
    if (name.isEmpty() || name == "C" || name == "POSIX") return {QStringLiteral("C")};
    return qt_list;
}

Translations::Translations(const QStringList& ui_languages) {
    for (const QString& wanted : ui_languages) {
        if (wanted == QLatin1String("C") || wanted == QLatin1String("POSIX")) break;
        const QLocale locale(wanted);
        // A tag that Qt does not know gives the C locale: not a choice of English, just no help.
        if (locale.language() == QLocale::C) continue;
        if (locale.language() == QLocale::English) break;
        // The regional translation first (pt_BR), then the language's own (pt).
        const QString code = QLocale::languageToCode(locale.language());
        for (const QString& name : {locale.name(), code}) {
            // Only the file of that exact name: load() would also fall back to shorter ones.
            const QString file = QStringLiteral(":/i18n/vimbrel_%1.qm").arg(name);
            if (QFile::exists(file) && program_.load(file)) {
                language_ = name;
                break;
            }
        }
        if (!language_.isEmpty()) break;
    }
    if (language_.isEmpty()) return;
    QCoreApplication::installTranslator(&program_);
    // Debian's qt6-translations-l10n; without it Qt's buttons stay English, nothing else changes.
    if (qt_.load(QLocale(language_), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
}

Translations::~Translations() {
    QCoreApplication::removeTranslator(&qt_);
    QCoreApplication::removeTranslator(&program_);
}

}  // namespace vimbrel
