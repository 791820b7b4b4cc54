// The time-over beep, sounded the way the platform's desktop programs sound their bell.
#pragma once

class QString;
struct ca_context;
struct _GSettings;

namespace vimbrel {

struct SoundFunctions;

// X11 has a bell of its own, which Qt rings. Wayland has none, so there the bell of the desktop's
// sound theme is played through libcanberra, which hands it to the sound server. The theme and
// whether event sounds are on are the desktop's settings, read as GTK programs read them. Both
// libraries are loaded at the first ring that needs them.
class DesktopBell {
public:
    DesktopBell() = default;
    ~DesktopBell();
    DesktopBell(const DesktopBell&) = delete;
    DesktopBell& operator=(const DesktopBell&) = delete;

    // Sounds the bell once and returns at once; the sound plays on while the bell lives.
    void ring();

private:
    ca_context* open_sounds(const SoundFunctions& f);
    void warn(const char* what, const QString& why);
    ca_context* sounds_ = nullptr;    // opened by the first ring that reaches a sound server
    _GSettings* settings_ = nullptr;  // the desktop's sound settings, where its schema is installed
    bool warned_ = false;             // a missing sound server is reported once, not on every ring
};

}  // namespace vimbrel
