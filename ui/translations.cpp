// Choosing and installing the translations, and translating the engine's texts.
#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>

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

QString translate_count(const char* context, const char* text, int count) {
    const int size = count < 0 ? -count : count;
    QString said = QCoreApplication::translate(context, text, nullptr, size);
    if (count < 0) {
        const QString digits = QString::number(size);
        said.replace(QRegularExpression(QStringLiteral("(?<![0-9])%1(?![0-9])").arg(digits)),
                     QString::number(count));
    }
    return said;
}

QString points(int count) {
    //: A number of points, inside other texts: "Pair! ...", the end's scores, the points lost.
    return translate_count("vimbrel::Points", QT_TRANSLATE_N_NOOP("vimbrel::Points", "%n points"),
                           count);
}

QString choose_translation(const QStringList& ui_languages, const QStringList& available) {
    for (const QString& wanted : ui_languages) {
        if (wanted == QLatin1String("C") || wanted == QLatin1String("POSIX")) break;
        const QLocale locale(wanted);
        // A tag that Qt does not know gives the C locale: not a choice of English, just no help.
        if (locale.language() == QLocale::C) continue;
        if (locale.language() == QLocale::English) break;
        // Its region's translation (pt_BR), else the language's own (pt), else another region's
        // written in the same script.
        const QString code = QLocale::languageToCode(locale.language());
        if (available.contains(locale.name())) return locale.name();
        QString same_script;
        for (const QString& name : available) {
            const QLocale translation(name);
            if (translation.language() != locale.language() ||
                translation.script() != locale.script())
                continue;
            if (name == code) return name;
            if (same_script.isEmpty()) same_script = name;
        }
        if (!same_script.isEmpty()) return same_script;
    }
    return {};
}

Translations::Translations(const QStringList& ui_languages) {
    QStringList available;
    for (const QString& file : QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("*.qm")}))
        available << file.section(QLatin1Char('_'), 1).chopped(3);  // vimbrel_pt_BR.qm: pt_BR
    const QString chosen = choose_translation(ui_languages, available);
    if (chosen.isEmpty() || !program_.load(QStringLiteral(":/i18n/vimbrel_%1.qm").arg(chosen)))
        return;
    language_ = chosen;
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
