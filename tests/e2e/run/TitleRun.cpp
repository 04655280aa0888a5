// Running the staged game program in a private install folder.
#include "tests/e2e/run/TitleRun.h"

#include "game/CGameLevel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace
{

fs::path StageFolder()
{
    const char* binary = std::getenv("PLK_BINARY_DIR");
    return fs::path(binary ? binary : ".") / "stage";
}

} // namespace

void TitleBitmap::Pixel(int x, int y, int& r, int& g, int& b) const
{
    const int stride = (width * 3 + 3) / 4 * 4;
    const size_t at = static_cast<size_t>((height - 1 - y) * stride + x * 3);
    b = bgr[at];
    g = bgr[at + 1];
    r = bgr[at + 2];
}

TitleRun::TitleRun()
{
    std::string pattern = (fs::temp_directory_path() / "plk_e2e_XXXXXX").string();
    m_root = mkdtemp(pattern.data());
    m_install = m_root / "install";
    // The run's own data folder: the staged media and levels linked in, so that the log, saved
    // games and screenshots of one run never meet another's.
    fs::create_directories(m_install / "data");
    for (const fs::directory_entry& entry : fs::directory_iterator(StageFolder() / "data"))
    {
        if (entry.path().filename() == "Logs" || entry.path().filename() == "savedgames")
            continue;
        fs::create_symlink(entry.path(), m_install / "data" / entry.path().filename());
    }
}

TitleRun::~TitleRun()
{
    // PLK_E2E_KEEP keeps every run's folder (log, saved games, screenshots) for a look afterwards.
    if (std::getenv("PLK_E2E_KEEP"))
    {
        std::fprintf(stderr, "run kept in %s\n", m_root.string().c_str());
        return;
    }
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void TitleRun::HideData(const std::string& name)
{
    std::error_code ignored;
    fs::remove(m_install / "data" / name, ignored);
}

fs::path TitleRun::OwnLevels()
{
    // The levels folder is shared with the staging: this run gets a folder of its own, linking
    // every staged level, so that what the run writes there stays with the run.
    const fs::path levels = m_install / "data" / "levels";
    if (!fs::is_symlink(levels))
        return levels;
    const fs::path staged = fs::read_symlink(levels);
    fs::remove(levels);
    fs::create_directory(levels);
    for (const fs::directory_entry& entry : fs::directory_iterator(staged))
        fs::create_symlink(entry.path(), levels / entry.path().filename());
    return levels;
}

void TitleRun::CutLevel(const std::string& fileName, std::uintmax_t size)
{
    const fs::path levels = OwnLevels();
    const fs::path staged = fs::read_symlink(levels / fileName);
    fs::remove(levels / fileName);
    fs::copy_file(staged, levels / fileName);
    fs::resize_file(levels / fileName, size);
}

std::vector<std::string> TitleRun::SavedGames() const
{
    std::vector<std::string> names;
    std::error_code missing;
    for (fs::directory_iterator it(m_install / "data" / "savedgames", missing), end; !missing && it != end; ++it)
        names.push_back(it->path().filename().string());
    return names;
}

int TitleRun::Run(const std::string& script, int maxFrames)
{
    const fs::path scriptFile = m_root / "script.txt";
    std::ofstream(scriptFile) << script;
    // Each run's screenshots are its own.
    std::error_code ignored;
    fs::remove_all(m_root / "shots", ignored);
    fs::create_directories(m_root / "shots");
    std::ostringstream command;
    // exec: the shell's status would hide the signal that ended the program.
    command << m_environment << " VREGISTRY_DIR='" << (m_root / "registry").string() << "' exec '"
            << (StageFolder() / "Plinkett3").string() << "' --install-dir '" << m_install.string()
            << "/' --fixed-step " << kFrameMs << " --script '"
            << scriptFile.string() << "' --capture-dir '" << (m_root / "shots").string() << "/' --max-frames "
            << maxFrames << " --skip-dialog > '" << (m_root / "output.txt").string() << "' 2>&1";
    const int status = std::system(command.str().c_str());
    return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

std::vector<std::string> TitleRun::LogLines() const
{
    std::ifstream in(m_install / "data" / "Logs" / "PlinkettLog.txt", std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<fs::path> TitleRun::Shots() const
{
    std::vector<fs::path> shots;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_root / "shots"))
        if (entry.path().extension() == ".bmp")
            shots.push_back(entry.path());
    // Numbered files: shorter names come first, then by name.
    std::sort(shots.begin(), shots.end(), [](const fs::path& a, const fs::path& b) {
        const std::string x = a.filename().string(), y = b.filename().string();
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
    return shots;
}

bool TitleRun::ReadBitmap(const fs::path& file, TitleBitmap& out)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t kHeader = 54;
    if (bytes.size() < kHeader || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    auto read32 = [&](size_t at) {
        return static_cast<int>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
    };
    const int offset = read32(10);
    out.width = read32(18);
    out.height = read32(22);
    const size_t stride = static_cast<size_t>((out.width * 3 + 3) / 4 * 4);
    if (out.width <= 0 || out.height <= 0 || bytes.size() < static_cast<size_t>(offset) + stride * out.height)
        return false;
    out.bgr.assign(bytes.begin() + offset, bytes.begin() + offset + static_cast<long>(stride * out.height));
    return true;
}

Rgb TitleRun::ShotPixel(size_t n, int x, int y) const
{
    Rgb c;
    TitleBitmap shot;
    const auto shots = Shots();
    if (n < shots.size() && ReadBitmap(shots[n], shot) && x < shot.width && y < shot.height)
        shot.Pixel(x, y, c.r, c.g, c.b);
    return c;
}

XString TitleRun::DataFolder() const
{
    return XString((m_install / "data").string().append("/").c_str());
}

bool TitleRun::ReadSavedGame(const char* name, CGameLevel& level) const
{
    level.SetDataFolder(DataFolder());
    return level.Load(XString(name), false, true);
}
