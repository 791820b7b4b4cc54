// Ringing the bell through Qt, or through the desktop's sound theme where the platform has none.
#include "sound/desktop_bell.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibrary>
#include <QtDebug>

#include <optional>
#include <type_traits>

#include <canberra.h>

// GLib's headers name struct members "signals", which Qt defines as a keyword; the keyword is put
// aside while they are read (in a unity build Qt's headers always come first).
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace vimbrel {

// The functions of libcanberra and GIO that the bell calls. The two libraries (and the sound
// decoders and GIO's own dependencies behind them) are opened at the first ring that needs them:
// a player on X11 never loads them, and one on Wayland only when the time first runs out, so
// they cost the program's start nothing. The headers above give their types and constants alone.
struct SoundFunctions {
    decltype(&ca_context_create) context_create;
    decltype(&ca_context_change_props) change_props;
    decltype(&ca_context_open) open;
    decltype(&ca_context_play) play;
    decltype(&ca_context_destroy) destroy;
    decltype(&ca_strerror) error_text;
    decltype(&g_settings_schema_source_get_default) schema_source_get_default;
    decltype(&g_settings_schema_source_lookup) schema_source_lookup;
    decltype(&g_settings_schema_has_key) schema_has_key;
    decltype(&g_settings_new_full) settings_new_full;
    decltype(&g_settings_schema_unref) schema_unref;
    decltype(&g_settings_get_boolean) get_boolean;
    decltype(&g_settings_get_string) get_string;
    decltype(&g_free) free;
    decltype(&g_object_unref) object_unref;
};

namespace {

struct SoundLibraries {
    std::optional<SoundFunctions> functions;  // none when a library or a function is missing
    QString error;                            // why not
};

// Opens the libraries once per run, by the names their packages have kept for years. They stay
// loaded to the end of the run (a QLibrary going out of scope does not unload).
const SoundLibraries& sound_libraries() {
    static const SoundLibraries loaded = [] {
        SoundLibraries result;
        QLibrary canberra(QStringLiteral("canberra"), 0);
        QLibrary gio(QStringLiteral("gio-2.0"), 0);  // g_free and g_object_unref come through it
        const auto resolve = [&result](QLibrary& library, const char* name, auto& function) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            if (!function) result.error = library.errorString();
            return function != nullptr;
        };
        SoundFunctions f{};
        if (resolve(canberra, "ca_context_create", f.context_create) &&
            resolve(canberra, "ca_context_change_props", f.change_props) &&
            resolve(canberra, "ca_context_open", f.open) &&
            resolve(canberra, "ca_context_play", f.play) &&
            resolve(canberra, "ca_context_destroy", f.destroy) &&
            resolve(canberra, "ca_strerror", f.error_text) &&
            resolve(gio, "g_settings_schema_source_get_default", f.schema_source_get_default) &&
            resolve(gio, "g_settings_schema_source_lookup", f.schema_source_lookup) &&
            resolve(gio, "g_settings_schema_has_key", f.schema_has_key) &&
            resolve(gio, "g_settings_new_full", f.settings_new_full) &&
            resolve(gio, "g_settings_schema_unref", f.schema_unref) &&
            resolve(gio, "g_settings_get_boolean", f.get_boolean) &&
            resolve(gio, "g_settings_get_string", f.get_string) && resolve(gio, "g_free", f.free) &&
            resolve(gio, "g_object_unref", f.object_unref))
            result.functions = f;
        return result;
    }();
    return loaded;
}

// Qt rings the X server's bell on X11 (and elsewhere does what the platform offers); under
// Wayland its beep does nothing, since the protocol has no bell.
bool platform_has_bell() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// GNOME's sound settings, which GTK programs follow under Wayland (and the desktops built on
// GNOME's settings with them); null where the schema is not installed.
GSettings* desktop_sound_settings(const SoundFunctions& f) {
    GSettingsSchemaSource* schemas = f.schema_source_get_default();
    GSettingsSchema* schema =
        schemas ? f.schema_source_lookup(schemas, "org.gnome.desktop.sound", TRUE) : nullptr;
    if (!schema) return nullptr;
    GSettings* settings = nullptr;
    if (f.schema_has_key(schema, "event-sounds") && f.schema_has_key(schema, "theme-name"))
        settings = f.settings_new_full(schema, nullptr, nullptr);
    f.schema_unref(schema);
    return settings;
}

}  // namespace

ca_context* DesktopBell::open_sounds(const SoundFunctions& f) {
    // The application's name lets the sound server list the stream, and the desktop's
    // per-application volume find it.
    const QByteArray name = QGuiApplication::applicationDisplayName().toUtf8();
    const QByteArray id = QGuiApplication::desktopFileName().toUtf8();
    ca_context* sounds = nullptr;
    int error = f.context_create(&sounds);
    if (error == CA_SUCCESS)
        error = f.change_props(sounds, CA_PROP_APPLICATION_NAME, name.constData(), nullptr);
    if (error == CA_SUCCESS && !id.isEmpty())
        error = f.change_props(sounds, CA_PROP_APPLICATION_ID, id.constData(), nullptr);
    if (error == CA_SUCCESS) error = f.open(sounds);
    if (error == CA_SUCCESS) return sounds;
    // No sound server yet: the next ring tries again.
    if (sounds) f.destroy(sounds);
    warn("No sound for the bell", f.error_text(error));
    return nullptr;
}

void DesktopBell::warn(const char* what, const QString& why) {
    if (warned_) return;
    warned_ = true;
    qWarning("%s: %s", what, qUtf8Printable(why));
}

DesktopBell::~DesktopBell() {
    if (!sounds_ && !settings_) return;  // the libraries may never have been loaded
    const SoundFunctions& f = *sound_libraries().functions;
    if (sounds_) f.destroy(sounds_);
    if (settings_) f.object_unref(settings_);
}

void DesktopBell::ring() {
    if (platform_has_bell()) {
        QApplication::beep();
        return;
    }
    const SoundLibraries& libraries = sound_libraries();
    if (!libraries.functions) {
        warn("No sound for the bell", libraries.error);
        return;
    }
    const SoundFunctions& f = *libraries.functions;
    if (!sounds_) {
        sounds_ = open_sounds(f);
        if (!sounds_) return;
    }
    if (!settings_) settings_ = desktop_sound_settings(f);
    // Read at every ring, so that a change in the desktop's settings counts at once.
    bool enabled = true;
    QByteArray theme = "freedesktop";
    if (settings_) {
        enabled = f.get_boolean(settings_, "event-sounds");
        gchar* name = f.get_string(settings_, "theme-name");
        if (name && *name) theme = name;
        f.free(name);
    }
    // The sound naming's name for the window system's bell, which the desktop's chooser of an
    // alert sound sets; a theme without it plays its "bell".
    const int error =
        f.play(sounds_, 0, CA_PROP_EVENT_ID, "bell-window-system", CA_PROP_CANBERRA_ENABLE,
               enabled ? "1" : "0", CA_PROP_CANBERRA_XDG_THEME_NAME, theme.constData(), nullptr);
    if (error == CA_ERROR_DISABLED) return;  // the desktop's event sounds are off
    if (error == CA_SUCCESS) return;
    warn("The bell did not sound", f.error_text(error));
    // The sound server may have gone away: the next ring connects afresh.
    f.destroy(sounds_);
    sounds_ = nullptr;
}

}  // namespace vimbrel
