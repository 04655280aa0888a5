// The player's music and sound switches, kept between runs in a small file of the player's own
// ($XDG_CONFIG_HOME/plinkett3/Settings.xml), so that a player who turned the music off finds it off.
#pragma once

#include "foundation/XString.h"

struct CSoundSettings
{
    static const char* const kFileName;

    bool music = true;
    bool sound = true;

    // The file, from the values of XDG_CONFIG_HOME and HOME (either may be null): an absolute
    // XDG_CONFIG_HOME, else HOME/.config, with plinkett3/Settings.xml below; empty when neither
    // gives an absolute folder.
    static XString FileFor(const char* xdgConfigHome, const char* home);

    // False when the file cannot be read; the switches are then on. A switch the file does not
    // name stays on; only a text starting with "false" (in any case) turns one off.
    bool Read(const XString& file);
    // Writes the file, creating its folder; false with the reason in error. An old file stays
    // whole when the new one cannot be written.
    bool Write(const XString& file, XString& error) const;

    void ToText(XString& out) const;
    void FromText(const XString& text);

    // The file of this run (empty: nothing is kept), set once at start-up.
    static void SetFile(const XString& file);
    static const XString& GetFile();
    // Writes the sound system's switches as they are now to the file of this run; a failure only
    // reaches the log, since the switch itself took effect.
    static void SaveCurrent();
};
