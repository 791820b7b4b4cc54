// Ringing the bell through Qt, or through the desktop's sound theme where the platform has none.
#include "board/desktop_bell.h"

#include <QApplication>
#include <QGuiApplication>
#include <QtDebug>

#include <canberra.h>

namespace vimbrel {

namespace {

// Qt rings the X server's bell on X11 (and elsewhere does what the platform offers); under
// Wayland its beep does nothing, since the protocol has no bell.
bool platform_has_bell() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
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
    // "bell" is the sound theme's event for a program's bell; the theme picks the sound.
    const int error = ca_context_play(sounds_, 0, CA_PROP_EVENT_ID, "bell", nullptr);
    if (error == CA_SUCCESS) return;
    warn("The bell did not sound", error);
    // The sound server may have gone away: the next ring connects afresh.
    ca_context_destroy(sounds_);
    sounds_ = nullptr;
}

}  // namespace vimbrel
