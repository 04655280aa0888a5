// VideoModeSettings: "VideoMode.xml" built and parsed by plain tag search, as both programs do.
#include "foundation/VideoModeSettings.h"

const char* const VideoModeSettings::kFileName = "VideoMode.xml";

bool VideoModeSettings::Read(const char* dataFolder)
{
    XString path;
    FilePath(dataFolder, path);
    XString text;
    if (!text.ReadFile(path.GetBuffer(), XString::kFileBinary)) {
        *this = VideoModeSettings();
        return false;
    }
    FromText(text);
    return true;
}

bool VideoModeSettings::Write(const char* dataFolder)
{
    m_strErrorMsg = "";
    XString path;
    FilePath(dataFolder, path);
    XString text;
    ToText(text);
    if (!text.WriteFile(path.GetBuffer(), true, XString::kFileBinary)) {
        m_strErrorMsg = "Error: in VideoModeSettings::Write, WriteFile failed. Msg=";
        m_strErrorMsg += text.GetErrorMsg();
        return false;
    }
    return true;
}

void VideoModeSettings::ApplyGameDefaults()
{
    if (IsCurrentScreenMode())
    {
        Width = FullScreen ? 0 : kCurrentModeWindowWidth;
        Height = FullScreen ? 0 : kCurrentModeWindowHeight;
        BitsPerPixel = 0;
        Hz = -1;
        return;
    }
    if (Width == 0)
        Width = kDefaultWidth;
    if (Height == 0)
        Height = kDefaultHeight;
    if (BitsPerPixel == 0)
        BitsPerPixel = kDefaultBitsPerPixel;
    if (Hz == 0)
        Hz = kDefaultHz;
}

void VideoModeSettings::ToText(XString& out) const
{
    out.Format("<VideoMode>\r\n"
               "\t<Id>%d</Id>\r\n"
               "\t<Width>%d</Width>\r\n"
               "\t<Height>%d</Height>\r\n"
               "\t<BitsPerPixel>%d</BitsPerPixel>\r\n"
               "\t<Hz>%d</Hz>\r\n"
               "\t<FullScreen>%s</FullScreen>\r\n"
               "</VideoMode>",
               Id, Width, Height, BitsPerPixel, Hz, FullScreen ? "true" : "false");
}

void VideoModeSettings::FromText(const XString& text)
{
    // Each SubBetweenFwd overwrites the text's one scratch result: convert it at once.
    Id = text.SubBetweenFwd("<Id>", "</Id>").ToInt();
    Width = text.SubBetweenFwd("<Width>", "</Width>").ToInt();
    Height = text.SubBetweenFwd("<Height>", "</Height>").ToInt();
    BitsPerPixel = text.SubBetweenFwd("<BitsPerPixel>", "</BitsPerPixel>").ToInt();
    Hz = text.SubBetweenFwd("<Hz>", "</Hz>").ToInt();
    FullScreen = text.SubBetweenFwd("<FullScreen>", "</FullScreen>").IsTrue();
}

void VideoModeSettings::FilePath(const char* dataFolder, XString& path)
{
    path = dataFolder ? dataFolder : "";
    if (!path.IsEmpty() && !path.EndsWith('\\') && !path.EndsWith('/'))
        path += '\\';
    path += kFileName;
}
