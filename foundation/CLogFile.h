// The game's text log, data folder + "Logs\PlinkettLog.txt": each CLogFile builds one entry in its
// own text and appends it to the shared file; the file is started afresh before it passes 100 MiB.
#pragma once

#include "foundation/XString.h"

#include <cstdint>

class CLogFile : public XString
{
public:
    // The file is deleted rather than let grow past this many bytes.
    static const uint32_t kSizeLimit = 104857600;
    static const char* const kRelativePath;

    // The data folder that Write appends under, for the whole process. The program sets it once
    // at start-up, before any screen may log; until then Write goes under the working folder.
    static void SetDataFolder(const XString& dataFolder);
    static const XString& GetDataFolder();

    CLogFile();

    // Sets the text to "" before the next entry.
    void Clear();
    // Appends the text to the log under GetDataFolder(), with "\r\n" unless it already ends so.
    // Failures are ignored: the log must never stop the game.
    void Write();
    // The same into the log under dataFolder (tests, and callers that know their folder).
    void WriteTo(const XString& dataFolder);

    uint32_t GetSizeLimit() const { return m_uiSizeLimit; }
    void SetSizeLimit(uint32_t limit) { m_uiSizeLimit = limit; }

    // One entry of its own: text, written at once.
    static void WriteLine(const XString& text);

private:
    uint32_t m_uiSizeLimit = kSizeLimit;
};
