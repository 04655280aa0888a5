// The video-mode record that the video-mode tool writes to "VideoMode.xml" and the game reads at start.
#pragma once

#include "foundation/XString.h"

struct VideoModeSettings
{
    static const char* const kFileName;
    static const int kDefaultWidth = 800;
    static const int kDefaultHeight = 600;
    static const int kDefaultBitsPerPixel = 16;
    static const int kDefaultHz = 60;

    int Id = 0; // position in the tool's mode list; 0 = the current screen mode
    int Width = kDefaultWidth;
    int Height = kDefaultHeight;
    int BitsPerPixel = kDefaultBitsPerPixel;
    int Hz = kDefaultHz;
    bool FullScreen = false;

    // Reads "VideoMode.xml" in the data folder (a backslash is put between them unless the folder
    // ends in one). A file that cannot be read gives the defaults and false. In a file that was
    // read, a missing number reads as 0 and FullScreen is true only for a text beginning "true"
    // in any case; element order and white space do not matter.
    bool Read(const char* dataFolder);
    // Writes the file, creating missing folders; false with the reason in GetErrorMsg().
    bool Write(const char* dataFolder);

    // The window of the tool's "Use my current screen mode" entry when not full screen; the engine
    // shrinks it, keeping its shape, on a smaller screen.
    static const int kCurrentModeWindowWidth = 1024;
    static const int kCurrentModeWindowHeight = 768;

    // The tool's "Use my current screen mode" entry: Id 0 without a width or height.
    bool IsCurrentScreenMode() const { return Id == 0 && Width == 0 && Height == 0; }

    // The game's reading on top of Read. The current-screen-mode entry becomes the desktop's own
    // mode in full screen (Width, Height and BitsPerPixel 0 and Hz -1, which the engine reads as
    // the desktop's) or the window above. In any other record a Width, Height, BitsPerPixel or Hz
    // of 0 takes its default; Id, FullScreen and negative values (Hz -1: the adapter's default)
    // stay as read.
    void ApplyGameDefaults();

    // The file's exact bytes: CR LF line ends, TAB indents, no line end after the last line.
    void ToText(XString& out) const;
    // Takes every value from a text in the file's format.
    void FromText(const XString& text);

    const char* GetErrorMsg() const { return m_strErrorMsg.GetBuffer(); }

private:
    static void FilePath(const char* dataFolder, XString& path);

    XString m_strErrorMsg;
};
