// Screenshots: the rendered frame as numbered 24-bit bottom-up BMP files in a capture folder.
#pragma once

#include "foundation/XString.h"

#include <cstdint>
#include <vector>

class XDXScreenShot
{
public:
    // Enabled, numbered from 0, folder "capture\" beside the program.
    XDXScreenShot();

    // folder null or empty = "capture\" beside the program; creates the missing folders.
    bool SetDirectory(const char* folder);
    // Writes folder + number + ".bmp" from the engine's back buffer; call after drawing, before presenting.
    bool TakeScreenShot();
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }

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
