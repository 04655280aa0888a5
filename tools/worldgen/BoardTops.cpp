// Board top designs: each a 10 x 10 grid of cells, so the player can count cells, cut into 25 tiles.
#include "tools/worldgen/BoardTops.h"

#include "tools/artkit/Noise.h"
#include "tools/worldgen/Primitives.h"

#include <cmath>

namespace worldgen
{

using namespace art;

namespace
{

const int kTilePixels = 128;
const int kPicture = kTilePixels * kBoardTiles;
const float kCellPixels = kPicture / 10.0f;
const float kBoardHalf = 50.0f;
const float kFloorY = 20.0f;
const float kRimWidth = 3.0f;
const float kRimTop = 20.8f;
// Deep enough to meet every terrain's basin, so the board never floats.
const float kRimBottom = 9.0f;

using CellPainter = std::function<Colour(int cx, int cy, float x, float y)>;

// Each cell painted by the design, then given a soft rounded edge so the grid reads from any camera angle.
Canvas PaintCells(const CellPainter& paint, float bevel, float strength, const Colour& grout,
                  float groutWidth)
{
    Canvas c(kPicture, kPicture, grout);
    for (int cy = 0; cy < 10; ++cy)
        for (int cx = 0; cx < 10; ++cx)
        {
            const Shape cell =
                RoundedRect(cx * kCellPixels + groutWidth * 0.5f, cy * kCellPixels + groutWidth * 0.5f,
                            kCellPixels - groutWidth, kCellPixels - groutWidth, groutWidth + 2);
            c.FillShape(cell, [&](float x, float y) { return paint(cx, cy, x, y); });
            c.Bevel(cell, bevel, strength);
        }
    return c;
}

Canvas Classic()
{
    const Noise n(101);
    return PaintCells(
        [&](int cx, int cy, float x, float y)
        {
            const Colour base = (cx + cy) % 2 ? Hex(0xE9D9B4) : Hex(0xF7EEDA);
            return Shade(base, (n.Fractal(x / 40, y / 40, 4) - 0.5f) * 0.14f);
        },
        6, 0.35f, Hex(0xA88F6A), 3);
}

Canvas Garden()
{
    const Noise n(202);
    return PaintCells(
        [&](int cx, int cy, float x, float y)
        {
            const Colour base = (cx + cy) % 2 ? Hex(0x74B84A) : Hex(0x8ACB57);
            const float blades = n.Fractal(x / 2.5f, y / 9.0f, 2);
            return Shade(base, (blades - 0.5f) * 0.25f + (n.Fractal(x / 50, y / 50, 3) - 0.5f) * 0.12f);
        },
        5, 0.3f, Hex(0xBDB39B), 5);
}

Canvas Parquet()
{
    const Noise n(303);
    return PaintCells(
        [&](int cx, int cy, float x, float y)
        {
            // Alternate the grain direction from cell to cell, like laid parquet.
            const bool across = (cx + cy) % 2 == 0;
            const float along = across ? x : y, side = across ? y : x;
            const float plank = std::floor(side / (kCellPixels / 4));
            const float grain = n.Fractal(along / 30.0f + plank * 7, side / 3.0f, 3);
            const Colour base =
                Mix(Hex(0xB8844C), Hex(0xD6A46A), n.Cell(cx * 4 + static_cast<int>(plank), cy, 5));
            Colour col = Shade(base, (std::sin(grain * 18) * 0.5f) * 0.12f);
            if (std::fmod(side, kCellPixels / 4) < 1.2f)
                col = Shade(col, -0.3f);
            return col;
        },
        4, 0.3f, Hex(0x6B4527), 2.5f);
}

Canvas Slate()
{
    const Noise n(404);
    return PaintCells(
        [&](int cx, int cy, float x, float y)
        {
            const Colour base = Mix(Hex(0x3C4656), Hex(0x4B5769), n.Cell(cx, cy, 6));
            return Shade(base, (n.Fractal(x / 24, y / 24, 5) - 0.5f) * 0.3f);
        },
        5, 0.5f, Hex(0x3FD6E0), 3);
}

Canvas Ice()
{
    const Noise n(505);
    return PaintCells(
        [&](int cx, int cy, float x, float y)
        {
            const Colour base = (cx + cy) % 2 ? Hex(0xCFE8F7) : Hex(0xE9F6FD);
            const float frost = n.Fractal(x / 18, y / 18, 5);
            const float crack = std::pow(1.0f - std::fabs(n.Fractal(x / 70 + cx, y / 70, 3) * 2 - 1), 24.0f);
            return Mix(Shade(base, (frost - 0.5f) * 0.15f), Hex(0xFFFFFF), crack * 0.6f);
        },
        6, 0.4f, Hex(0x7FA9C8), 3);
}

Canvas Design(int design)
{
    switch (design)
    {
    case 0:
        return Classic();
    case 1:
        return Garden();
    case 2:
        return Parquet();
    case 3:
        return Slate();
    default:
        return Ice();
    }
}

MeshBuilder MakeBoardTopMesh()
{
    MeshBuilder mesh;
    for (int row = 0; row < kBoardTiles; ++row)
        for (int column = 0; column < kBoardTiles; ++column)
        {
            Material m;
            const std::string file = BoardTileName(0, row, column);
            m.name = file.substr(0, file.size() - 4);
            m.diffuse = {1, 1, 1, 1};
            m.power = 12;
            m.specular = {0.1f, 0.1f, 0.1f, 1};
            m.texture = file;
            const int material = mesh.AddMaterial(m);
            const float tile = 2 * kBoardHalf / kBoardTiles;
            const float x0 = -kBoardHalf + column * tile, x1 = x0 + tile;
            const float z0 = kBoardHalf - row * tile, z1 = z0 - tile;
            // u runs along +x, v along -z: the picture lies as seen from above with its top at +z.
            mesh.AddFlatQuad({x0, kFloorY, z0}, {x1, kFloorY, z0}, {x1, kFloorY, z1}, {x0, kFloorY, z1},
                             {0, 1, 0}, material);
        }
    Material rim;
    rim.name = "BoardRim";
    rim.diffuse = Hex(0x6B5442);
    rim.power = 10;
    const int rimMaterial = mesh.AddMaterial(rim);
    const float in = kBoardHalf, out = kBoardHalf + kRimWidth;
    for (int side = 0; side < 4; ++side)
    {
        // Build the +z side and turn it; the four corners overlap, which is invisible.
        const int first = mesh.VertexCount();
        mesh.AddFlatQuad({-out, kRimTop, out}, {out, kRimTop, out}, {out, kRimTop, in}, {-out, kRimTop, in},
                         {0, 1, 0}, rimMaterial);
        mesh.AddFlatQuad({-out, kRimBottom, out}, {out, kRimBottom, out}, {out, kRimTop, out},
                         {-out, kRimTop, out}, {0, 0, 1}, rimMaterial);
        mesh.AddFlatQuad({-in, kFloorY, in}, {in, kFloorY, in}, {in, kRimTop, in}, {-in, kRimTop, in},
                         {0, 0, -1}, rimMaterial);
        Rotate(mesh, first, 0, side * 90.0f, 0);
    }
    return mesh;
}

} // namespace

std::string BoardTileName(int design, int row, int column)
{
    return "BoardTop" + std::to_string(design) + "_" + static_cast<char>('A' + row) +
           std::to_string(column + 1) + ".bmp";
}

void WriteBoardTops(DataWriter& out)
{
    for (int design = 0; design < kBoardTops; ++design)
    {
        const Canvas picture = Design(design);
        for (int row = 0; row < kBoardTiles; ++row)
            for (int column = 0; column < kBoardTiles; ++column)
                out.SaveTexture(
                    BoardTileName(design, row, column),
                    picture.Crop(column * kTilePixels, row * kTilePixels, kTilePixels, kTilePixels));
    }
    out.SaveMesh("BoardTop.x", MakeBoardTopMesh(), "BoardTop");
}

} // namespace worldgen
