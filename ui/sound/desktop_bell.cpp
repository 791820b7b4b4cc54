// Ringing the bell through Qt, or through the desktop's sound theme where the platform has none.
#include "sound/desktop_bell.h"

#include <QApplication>
#include <QGuiApplication>
#include <QtDebug>

#include <canberra.h>

// GLib's headers name struct members "signals", which Qt defines as a keyword; the keyword is put
// aside while they are read (in a unity build Qt's headers always come first).
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace vimbrel {

namespace {

// Qt rings the X server's bell on X11 (and elsewhere does what the platform offers); under
// Wayland its beep does nothing, since the protocol has no bell.
bool platform_has_bell() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// GNOME's sound settings, which GTK programs follow under Wayland (and the desktops built on
// GNOME's settings with them); null where the schema is not installed.
GSettings* desktop_sound_settings() {
    GSettingsSchemaSource* schemas = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        schemas ? g_settings_schema_source_lookup(schemas, "org.gnome.desktop.sound", TRUE)
                : nullptr;
    if (!schema) return nullptr;
    GSettings* settings = nullptr;
    if (g_settings_schema_has_key(schema, "event-sounds") &&
        g_settings_schema_has_key(schema, "theme-name"))
        settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
    return settings;
}

}  // namespace

ca_context* DesktopBell::open_sounds() {
    // The application's name lets the sound server list the stream, and the desktop's
    // per-application volume find it.
    const QByteArray name = QGuiApplication::applicationDisplayName().toUtf8();
    const QByteArray id = QGuiApplication::desktopFileName().toUtf8();
    ca_context* sounds = nullptr;
    int error = ca_context_create(&sounds);
    if (error == CA_SUCCESS)
        error =
            ca_context_change_props(sounds, CA_PROP_APPLICATION_NAME, name.constData(), nullptr);
    if (error == CA_SUCCESS && !id.isEmpty())
        error = ca_context_change_props(sounds, CA_PROP_APPLICATION_ID, id.constData(), nullptr);
    if (error == CA_SUCCESS) error = ca_context_open(sounds);
    if (error == CA_SUCCESS) return sounds;
    // No sound server yet: the next ring tries again.
    if (sounds) ca_context_destroy(sounds);
    warn("No sound for the bell", error);
    return nullptr;
}

void DesktopBell::warn(const char* what, int error) {
    if (warned_) return;
    warned_ = true;
    qWarning("%s: %s", what, ca_strerror(error));
}

DesktopBell::~DesktopBell() {
    if (sounds_) ca_context_destroy(sounds_);
    if (settings_) g_object_unref(settings_);
}

void DesktopBell::ring() {
    if (platform_has_bell()) {
        QApplication::beep();
        return;
    }
    if (!sounds_) {
        sounds_ = open_sounds();
        if (!sounds_) return;
    }
    if (!settings_) settings_ = desktop_sound_settings();
    // Read at every ring, so that a change in the desktop's settings counts at once.
    bool enabled = true;
    QByteArray theme = "freedesktop";
    if (settings_) {
        enabled = g_settings_get_boolean(settings_, "event-sounds");
        gchar* name = g_settings_get_string(settings_, "theme-name");
        if (name && *name) theme = name;
        g_free(name);
    }
    // The sound naming's name for the window system's bell, which the desktop's chooser of an
    // alert sound sets; a theme without it plays its "bell".
    const int error = ca_context_play(sounds_, 0, CA_PROP_EVENT_ID, "bell-window-system",
                                      CA_PROP_CANBERRA_ENABLE, enabled ? "1" : "0",
                                      CA_PROP_CANBERRA_XDG_THEME_NAME, theme.constData(), nullptr);
    if (error == CA_ERROR_DISABLED) return;  // the desktop's event sounds are off
    if (error == CA_SUCCESS) return;
    warn("The bell did not sound", error);
    // The sound server may have gone away: the next ring connects afresh.
    ca_context_destroy(sounds_);
    sounds_ = nullptr;
}

}  // namespace vimbrel
