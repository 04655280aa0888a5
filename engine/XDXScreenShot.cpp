// Screenshots read from the rendered frame and written as BMP files.
#include "engine/XDXScreenShot.h"

#include "engine/XGameEngine.h"
#include "platform/fs/Directory.h"
#include "platform/fs/FileWriter.h"
#include "platform/fs/Path.h"
#include "platform/gfx/Device.h"
#include "platform/window/ProgramPath.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace
{

const int kFileHeaderSize = 14;
const int kInfoHeaderSize = 40;
const int kBitsPerPixel = 24;
const char* const kExtension = ".bmp";

// The number of a file named N.bmp (the extension in any case, as the program's paths ignore
// case); false for every other name, and for numbers so large that the next one would wrap.
bool ShotNumber(const std::string& name, unsigned& number)
{
    const size_t extensionLength = std::strlen(kExtension);
    if (name.size() <= extensionLength ||
        !plk::fs::NamesEqualNoCase(std::string_view(name).substr(name.size() - extensionLength), kExtension))
        return false;
    const std::string digits = name.substr(0, name.size() - extensionLength);
    if (digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, 10);
    if (errno == ERANGE || value >= std::numeric_limits<unsigned>::max())
        return false;
    number = static_cast<unsigned>(value);
    return true;
}

void PutU16(std::vector<char>& out, size_t at, uint16_t value)
{
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::vector<char>& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

XDXScreenShot::XDXScreenShot()
{
    SetDirectory(nullptr);
}

bool XDXScreenShot::SetDirectory(const char* folder)
{
    m_strErrorMsg = "";
    m_strFolder = "";
    if (folder && *folder)
    {
        m_strFolder = folder;
    }
    else
    {
        const std::string program = plk::ProgramFolder();
        if (program.empty())
        {
            m_strErrorMsg = "Error: in XDXScreenShot::SetDirectory, failed to obtain module file name.";
            return false;
        }
        m_strFolder = program.c_str();
        m_strFolder += "capture\\";
    }
    if (!m_strFolder.EndsWith('\\') && !m_strFolder.EndsWith('/'))
        m_strFolder += '\\';

    // Every component is a folder, since the path ends with a separator; failures show later
    // when the file cannot be written.
    const std::string path(m_strFolder.GetBuffer(), m_strFolder.GetLength());
    for (size_t i = 1; i < path.size(); ++i)
    {
        if (path[i] == '\\' || path[i] == '/')
        {
            const std::string prefix = path.substr(0, i);
            if (!plk::fs::DirectoryExists(prefix))
                plk::fs::CreateDirectory(prefix);
        }
    }

    // Shots of earlier runs stay: numbering goes on after the highest one in the folder.
    m_uiShotsTaken = 0;
    std::vector<plk::fs::DirEntry> entries;
    if (plk::fs::ListDirectory(path, entries) == 0)
    {
        for (const plk::fs::DirEntry& entry : entries)
        {
            unsigned number = 0;
            if (!entry.isDirectory && ShotNumber(entry.name, number) && number >= m_uiShotsTaken)
                m_uiShotsTaken = number + 1;
        }
    }
    return true;
}

std::vector<char> XDXScreenShot::MakeBitmapFile(const std::vector<uint8_t>& pixels, int width, int height)
{
    const size_t headers = kFileHeaderSize + kInfoHeaderSize;
    std::vector<char> file(headers + pixels.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<uint32_t>(file.size()));
    PutU32(file, 10, static_cast<uint32_t>(headers));
    PutU32(file, 14, kInfoHeaderSize);
    PutU32(file, 18, static_cast<uint32_t>(width));
    PutU32(file, 22, static_cast<uint32_t>(height));
    PutU16(file, 26, 1);
    PutU16(file, 28, kBitsPerPixel);
    // Compression, image size, resolutions and colour counts stay 0.
    std::copy(pixels.begin(), pixels.end(), file.begin() + headers);
    return file;
}

bool XDXScreenShot::TakeScreenShot()
{
    m_strErrorMsg = "";
    if (!m_bEnabled)
        return false;
    XGameEngine* engine = XGameEngine::GetEngine();
    plk::gfx::Device* device = engine ? engine->GetDevice() : nullptr;
    if (!device || !device->IsCreated())
    {
        m_strErrorMsg = "Error: in XDXScreenShot::TakeScreenShot, the engine or device is NULL.";
        return false;
    }
    XString fileName = m_strFolder;
    fileName += m_uiShotsTaken;
    fileName += kExtension;

    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    const int hr = device->ReadBackBuffer(pixels, width, height);
    if (hr != plk::gfx::kOk)
    {
        m_strErrorMsg = "Error: in XDXScreenShot::TakeScreenShot, failed to obtain the current front buffer data.";
        return false;
    }
    const std::vector<char> file = MakeBitmapFile(pixels, width, height);
    plk::fs::FileWriter writer;
    if (writer.Open(fileName.GetBuffer(), plk::fs::WriteMode::kReplace) != 0)
    {
        m_strErrorMsg = "Error: in XDXScreenShot::TakeScreenShot, failed to open the screen shot output file = ";
        m_strErrorMsg += fileName;
        return false;
    }
    if (writer.Write(file) != 0 || writer.Commit() != 0)
    {
        m_strErrorMsg = "Error: in XDXScreenShot::TakeScreenShot, failed to write the screen shot data to disk.";
        return false;
    }
    ++m_uiShotsTaken;
    return true;
}
