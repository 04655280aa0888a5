// The music and sound switches' file.
#include "screens/CSoundSettings.h"

#include "engine/XDXSound.h"
#include "foundation/CLogFile.h"

namespace
{

XString g_strFile;

bool SwitchFrom(const XString& text, const char* open, const char* close)
{
    // SubBetweenFwd's result lives in the text's scratch slot: read it at once.
    const XString value = text.SubBetweenFwd(open, close);
    return !value.StartsWithNoCase("false");
}

} // namespace

const char* const CSoundSettings::kFileName = "Settings.xml";

XString CSoundSettings::FileFor(const char* xdgConfigHome, const char* home)
{
    XString file;
    if (xdgConfigHome && xdgConfigHome[0] == '/')
    {
        file = xdgConfigHome;
    }
    else if (home && home[0] == '/')
    {
        file = home;
        if (!file.EndsWith('/'))
            file += '/';
        file += ".config";
    }
    else
    {
        return XString();
    }
    if (!file.EndsWith('/'))
        file += '/';
    file += "plinkett3/";
    file += kFileName;
    return file;
}

bool CSoundSettings::Read(const XString& file)
{
    *this = CSoundSettings();
    XString text;
    if (file.IsEmpty() || !text.ReadFile(file.GetBuffer(), XString::kFileBinary))
        return false;
    FromText(text);
    return true;
}

bool CSoundSettings::Write(const XString& file, XString& error) const
{
    error = "";
    XString text;
    ToText(text);
    if (!text.WriteFile(file.GetBuffer(), true, XString::kFileBinary))
    {
        error = "Error: in CSoundSettings::Write, WriteFile failed. Msg=";
        error += text.GetErrorMsg();
        return false;
    }
    return true;
}

void CSoundSettings::ToText(XString& out) const
{
    out.Format("<Settings>\r\n"
               "\t<Music>%s</Music>\r\n"
               "\t<Sound>%s</Sound>\r\n"
               "</Settings>",
               music ? "true" : "false", sound ? "true" : "false");
}

void CSoundSettings::FromText(const XString& text)
{
    music = SwitchFrom(text, "<Music>", "</Music>");
    sound = SwitchFrom(text, "<Sound>", "</Sound>");
}

void CSoundSettings::SetFile(const XString& file)
{
    g_strFile = file;
}

const XString& CSoundSettings::GetFile()
{
    return g_strFile;
}

void CSoundSettings::SaveCurrent()
{
    if (g_strFile.IsEmpty())
        return;
    CSoundSettings settings;
    settings.music = XDXSound::MusicEnabled();
    settings.sound = XDXSound::SoundsEnabled();
    XString error;
    if (!settings.Write(g_strFile, error))
        CLogFile::WriteLine(error);
}
