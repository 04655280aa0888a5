// Screenshots: the rendered frame as numbered 24-bit bottom-up BMP files in a capture folder.
#pragma once

#include "foundation/XString.h"

#include <cstdint>
#include <vector>

class XDXScreenShot
{
public:
    // Enabled, folder "capture\" beside the program, numbered as SetDirectory says.
    XDXScreenShot();

    // folder null or empty = "capture\" beside the program; creates the missing folders. The next
    // shot takes the number after the highest N.bmp already in the folder (0 in an empty one), so
    // a new run never replaces an earlier run's shots.
    bool SetDirectory(const char* folder);
    // Writes folder + number + ".bmp" from the engine's back buffer; call after drawing, before presenting.
    bool TakeScreenShot();
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }

    // The number of the next file.
    unsigned GetShotsTaken() const { return m_uiShotsTaken; }
    const XString& GetDirectory() const { return m_strFolder; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

    // The whole file for bottom-up BGR rows already padded to 4 bytes.
    static std::vector<char> MakeBitmapFile(const std::vector<uint8_t>& pixels, int width, int height);

private:
    bool m_bEnabled = true;
    unsigned m_uiShotsTaken = 0;
    XString m_strErrorMsg;
    XString m_strFolder;
};
