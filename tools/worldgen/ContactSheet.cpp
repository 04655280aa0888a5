// Contact sheets: textures in a labelled grid (board tops assembled from their 25 tiles), meshes rendered.
#include "tools/worldgen/ContactSheet.h"

#include "platform/image/Image.h"
#include "platform/mesh/MeshData.h"
#include "tools/artkit/MeshRenderer.h"
#include "tools/artkit/TextPainter.h"
#include "tools/worldgen/Scenes.h"
#include "tools/worldgen/WorldArt.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

namespace worldgen
{

using namespace art;

namespace
{

const int kCell = 160; // pixels per grid cell
const int kLabel = 18; // label strip under each cell
const int kColumns = 12;
const Colour kSheetBackground = Hex(0x2B2F38);

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

class TextureCache
{
  public:
    explicit TextureCache(std::string dir) : m_dir(std::move(dir))
    {
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            m_byLower[Lower(entry.path().filename().string())] = entry.path().string();
    }

    std::shared_ptr<const Canvas> Get(const std::string& name)
    {
        const std::string key = Lower(name);
        if (auto it = m_loaded.find(key); it != m_loaded.end())
            return it->second;
        std::shared_ptr<const Canvas> result;
        if (auto it = m_byLower.find(key); it != m_byLower.end())
        {
            plk::Image image;
            if (plk::LoadImageFile(it->second, image) == 0)
                result = std::make_shared<Canvas>(Canvas::FromImage(image));
        }
        m_loaded[key] = result;
        return result;
    }

  private:
    std::string m_dir;
    std::map<std::string, std::string> m_byLower;
    std::map<std::string, std::shared_ptr<const Canvas>> m_loaded;
};

struct Cell
{
    Canvas picture;
    std::string label;
};

bool SaveGrid(const std::vector<Cell>& cells, const std::string& path, const std::string& title)
{
    const int rows = (static_cast<int>(cells.size()) + kColumns - 1) / kColumns;
    const int header = 40;
    Canvas sheet(kColumns * kCell, header + rows * (kCell + kLabel), kSheetBackground);
    TextStyle titleStyle;
    titleStyle.pixelHeight = 24;
    DrawText(sheet, titleStyle, title, 12, 30, Align::kLeft);
    TextStyle labelStyle;
    labelStyle.pixelHeight = 11;
    labelStyle.bold = false;
    labelStyle.colour = Hex(0xD8DEE8);
    for (size_t i = 0; i < cells.size(); ++i)
    {
        const int x = static_cast<int>(i % kColumns) * kCell;
        const int y = header + static_cast<int>(i / kColumns) * (kCell + kLabel);
        const Canvas& p = cells[i].picture;
        const float fit =
            std::min(static_cast<float>(kCell - 8) / p.Width(), static_cast<float>(kCell - 8) / p.Height());
        const Canvas scaled = p.Resized(std::max(1, static_cast<int>(p.Width() * fit)),
                                        std::max(1, static_cast<int>(p.Height() * fit)));
        sheet.Draw(scaled, x + (kCell - scaled.Width()) / 2, y + (kCell - scaled.Height()) / 2);
        DrawTextInBox(sheet, labelStyle, cells[i].label, static_cast<float>(x), static_cast<float>(y + kCell),
                      kCell, kLabel);
    }
    std::string error;
    if (plk::SavePng(path, sheet.ToImage(), &error) != 0)
    {
        std::fprintf(stderr, "contact sheet: %s\n", error.c_str());
        return false;
    }
    return true;
}

// Board top tiles are named BoardTopN_<A-E><1-5>.bmp; the sheet shows each board top as one picture.
bool IsBoardTile(const std::string& name, int& board, int& row, int& column)
{
    if (name.size() != 16 || name.rfind("BoardTop", 0) != 0 || name[9] != '_')
        return false;
    board = name[8] - '0';
    row = name[10] - 'A';
    column = name[11] - '1';
    return true;
}

} // namespace

bool WriteContactSheets(const std::string& outDir)
{
    const std::string dataDir = outDir + "/data";
    std::filesystem::create_directories(dataDir);
    DataWriter out(dataDir);
    WriteWorldArt(out);
    if (!out.Ok())
    {
        for (const std::string& e : out.Errors())
            std::fprintf(stderr, "contact sheet: %s\n", e.c_str());
        return false;
    }
    TextureCache textures(dataDir);

    std::vector<Cell> textureCells;
    std::map<int, Canvas> boards;
    for (const std::string& name : out.Textures())
    {
        auto canvas = textures.Get(name);
        if (!canvas)
            continue;
        int board = 0, row = 0, column = 0;
        if (IsBoardTile(name, board, row, column))
        {
            Canvas& whole = boards[board];
            if (whole.Width() == 0)
                whole = Canvas(canvas->Width() * 5, canvas->Height() * 5);
            whole.Draw(*canvas, column * canvas->Width(), row * canvas->Height());
            continue;
        }
        textureCells.push_back({*canvas, name});
    }
    for (auto& [board, picture] : boards)
        textureCells.push_back({picture, "BoardTop" + std::to_string(board) + " (25 tiles)"});

    std::vector<Cell> meshCells;
    View view;
    view.background = Hex(0x3A4150);
    const auto lookup = [&textures](const std::string& name) { return textures.Get(name); };
    for (const std::string& name : out.Meshes())
    {
        gfx::MeshData data;
        std::string error;
        if (gfx::LoadMeshX(out.PathOf(name), data, &error) != 0)
        {
            std::fprintf(stderr, "contact sheet: %s\n", error.c_str());
            return false;
        }
        View v = view;
        if (name.rfind("Terrain", 0) == 0 || name == "BoardTop.x")
            v.pitchDegrees = 38.0f;
        meshCells.push_back({RenderMeshImage(FromMeshData(data, lookup), kCell * 2, kCell * 2, v), name});
    }
    if (!SaveGrid(textureCells, outDir + "/WorldTextures.png", "Plinkett3 world textures") ||
        !SaveGrid(meshCells, outDir + "/WorldMeshes.png", "Plinkett3 world meshes (lit, front faces only)"))
        return false;

    // Five play scenes at the game's 4:3, two to a row.
    const int sceneWidth = 640, sceneHeight = 480;
    Canvas scenes(sceneWidth * 2, sceneHeight * 3, kSheetBackground);
    for (int terrain = 0; terrain < 5; ++terrain)
        scenes.Draw(RenderScene(terrain, dataDir, lookup, sceneWidth, sceneHeight),
                    (terrain % 2) * sceneWidth, (terrain / 2) * sceneHeight);
    std::string error;
    if (plk::SavePng(outDir + "/WorldScenes.png", scenes.ToImage(), &error) != 0)
    {
        std::fprintf(stderr, "contact sheet: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace worldgen
