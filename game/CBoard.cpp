// The board's bodies and cell grids: adding walls, teleporters and cubes, cell arithmetic, the
// neighbour probes, free cells, the broad phase of the sweep and lifting a column.
#include "game/CBoard.h"

#include "game/CPlayBlock.h"
#include "game/CTeleporter.h"
#include "game/CWallBlock.h"

#include <cmath>

using plk::gfx::Vector3;

namespace
{
// Cells of a position for the broad phase: floor division, so that -0.5 is cell -1, not 0.
int FloorCell(float v, float origin)
{
    return static_cast<int>(std::floor((v - origin) / CBoard::kCellSize));
}
} // namespace

CBoard::CBoard()
{
    m_blocks.reserve(kMaxBlocks);
    m_active.reserve(kMaxBlocks);
    m_contacts.reserve(kMaxBlocks * 4);
    m_matchList.reserve(kCells);
    m_bucketNext.resize(kMaxBlocks);
    m_fixed.reserve(kMaxFixed);
    Clear();
}

void CBoard::Clear()
{
    m_fixed.clear();
    m_teleporters.clear();
    m_blocks.clear();
    m_active.clear();
    m_contacts.clear();
    m_matchList.clear();
    for (Cell& cell : m_cells)
        cell = Cell();
    m_bFixedDirty = true;
}

bool CBoard::AddFixed(const FixedBody& body)
{
    for (FixedBody& existing : m_fixed)
        if (existing.object == body.object)
        {
            existing = body;
            m_bFixedDirty = true;
            return false;
        }
    if (static_cast<int>(m_fixed.size()) >= kMaxFixed)
        return false;
    m_fixed.push_back(body);
    m_bFixedDirty = true;
    return true;
}

void CBoard::AddBody(CWallBlock* wall)
{
    FixedBody body;
    body.object = wall;
    wall->GetBounds(body.min, body.max);
    AddFixed(body);
}

void CBoard::AddBody(CTeleporter* teleporter)
{
    FixedBody body;
    body.object = teleporter;
    body.teleporter = teleporter;
    teleporter->GetBounds(body.min, body.max);
    if (AddFixed(body))
        m_teleporters.push_back(teleporter);
}

bool CBoard::AddBody(CPlayBlock* block)
{
    int index = IndexOf(block);
    if (index < 0)
    {
        if (static_cast<int>(m_blocks.size()) >= kMaxBlocks)
            return false;
        m_blocks.push_back(block);
    }
    block->m_vPrevPosition = block->GetPosition();
    block->m_vVelocity = Vector3{0.0f, 0.0f, 0.0f};
    block->m_vConstantForce = Vector3{0.0f, kGravity, 0.0f};
    block->m_vFrameForce = Vector3{0.0f, 0.0f, 0.0f};
    return true;
}

int CBoard::IndexOf(const CPlayBlock* block) const
{
    for (size_t i = 0; i < m_blocks.size(); ++i)
        if (m_blocks[i] == block)
            return static_cast<int>(i);
    return -1;
}

CPlayBlock* CBoard::GetBlock(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_blocks.size()))
        return nullptr;
    return m_blocks[index];
}

void CBoard::CellOf(const Vector3& p, int& gx, int& gy, int& gz)
{
    gx = static_cast<int>((p.x + kHalfWidth) * 0.1f);
    gy = static_cast<int>((p.y - kFloorY) * 0.1f);
    gz = static_cast<int>((p.z + kHalfWidth) * 0.1f);
}

Vector3 CBoard::CellCentre(int gx, int gy, int gz)
{
    return Vector3{gx * kCellSize - 45.0f, gy * kCellSize + kRestY, gz * kCellSize - 45.0f};
}

float CBoard::SnapToCell(float v)
{
    int tens = static_cast<int>(v / kCellSize);
    float half = kCellSize * 0.5f;
    return v >= 0.0f ? tens * kCellSize + half : tens * kCellSize - half;
}

bool CBoard::IsCellFree(int gx, int gy, int gz) const
{
    if (!InGrid(gx, gy, gz))
        return false;
    const Cell& cell = m_cells[CellIndex(gx, gy, gz)];
    return cell.fixed == kEmpty && cell.block == kEmpty;
}

std::array<int, CBoard::kSideCount> CBoard::ProbeNeighbours(float x, float y, float z) const
{
    static const int kOffsets[kSideCount][3] = {{0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {-1, 0, 0}};
    std::array<int, kSideCount> out;
    int gx, gy, gz;
    CellOf(Vector3{x, y, z}, gx, gy, gz);
    for (int side = 0; side < kSideCount; ++side)
    {
        int nx = gx + kOffsets[side][0], ny = gy + kOffsets[side][1], nz = gz + kOffsets[side][2];
        if (!InGrid(gx, gy, gz) || !InGrid(nx, ny, nz))
        {
            out[side] = kProbeEdge;
            continue;
        }
        const Cell& cell = m_cells[CellIndex(nx, ny, nz)];
        if (cell.block != kEmpty)
            out[side] = kProbeBlock;
        else if (cell.fixed != kEmpty)
            out[side] = m_fixed[cell.fixed].teleporter ? kProbeTeleporter : kProbeWall;
        else
            out[side] = kProbeFree;
    }
    return out;
}

bool CBoard::Lift(CPlayBlock* block)
{
    int gx, gy, gz;
    CellOf(block->GetPosition(), gx, gy, gz);
    if (!InGrid(gx, gy, gz) || gy >= kTopLevel)
        return false;
    // The column is every cube from the lifted one up to the first empty cell; a wall at any of
    // those levels, the empty one included, holds the column down.
    int column[kLevels];
    int count = 0;
    for (int level = gy; level < kLevels; ++level)
    {
        const Cell& cell = m_cells[CellIndex(gx, level, gz)];
        if (cell.fixed != kEmpty)
            return false;
        if (cell.block == kEmpty)
            break;
        if (level == kTopLevel)
            return false;
        column[count++] = cell.block;
    }
    // A lift speed that carries the column one cell up against gravity before it settles back.
    const float kLiftSpeed = 69.0f;
    for (int i = 0; i < count; ++i)
        m_blocks[column[i]]->m_vVelocity.y = kLiftSpeed;
    return count > 0;
}

void CBoard::RebuildFixedCells()
{
    // Counting pass, then filling pass: a flat list of fixed bodies per cell.
    std::array<int, kCells + 1> counts{};
    auto forEachCell = [&](const FixedBody& body, auto&& visit) {
        int x0 = FloorCell(body.min.x + 0.01f, -kHalfWidth), x1 = FloorCell(body.max.x - 0.01f, -kHalfWidth);
        int y0 = FloorCell(body.min.y + 0.01f, kFloorY), y1 = FloorCell(body.max.y - 0.01f, kFloorY);
        int z0 = FloorCell(body.min.z + 0.01f, -kHalfWidth), z1 = FloorCell(body.max.z - 0.01f, -kHalfWidth);
        for (int gx = std::max(x0, 0); gx <= std::min(x1, kColumns - 1); ++gx)
            for (int gz = std::max(z0, 0); gz <= std::min(z1, kRows - 1); ++gz)
                for (int gy = std::max(y0, 0); gy <= std::min(y1, kLevels - 1); ++gy)
                    visit(CellIndex(gx, gy, gz));
    };
    for (Cell& cell : m_cells)
        cell.fixed = kEmpty;
    for (size_t i = 0; i < m_fixed.size(); ++i)
        forEachCell(m_fixed[i], [&](int cell) {
            ++counts[cell];
            m_cells[cell].fixed = static_cast<int>(i);
        });
    int offset = 0;
    for (int cell = 0; cell <= kCells; ++cell)
    {
        m_fixedCellStart[cell] = offset;
        offset += counts[cell];
    }
    m_fixedCellList.assign(offset, kEmpty);
    std::array<int, kCells + 1> fill = m_fixedCellStart;
    for (size_t i = 0; i < m_fixed.size(); ++i)
        forEachCell(m_fixed[i], [&](int cell) { m_fixedCellList[fill[cell]++] = static_cast<int>(i); });
    m_fixedStamp.assign(m_fixed.size(), 0);
    m_uiStamp = 0;
    m_bFixedDirty = false;
}

void CBoard::BucketActive()
{
    m_bucketHead.fill(kEmpty);
    for (int index : m_active)
    {
        const Vector3& p = m_blocks[index]->GetPosition();
        int gx = FloorCell(p.x, -kHalfWidth), gy = FloorCell(p.y, kFloorY), gz = FloorCell(p.z, -kHalfWidth);
        int bucket = InGrid(gx, gy, gz) ? CellIndex(gx, gy, gz) : kCells;
        m_bucketNext[index] = m_bucketHead[bucket];
        m_bucketHead[bucket] = index;
    }
}

bool CBoard::CellRange(const Vector3& lo, const Vector3& hi, int range[6])
{
    range[0] = std::max(FloorCell(lo.x, -kHalfWidth), 0);
    range[1] = std::min(FloorCell(hi.x, -kHalfWidth), kColumns - 1);
    range[2] = std::max(FloorCell(lo.y, kFloorY), 0);
    range[3] = std::min(FloorCell(hi.y, kFloorY), kLevels - 1);
    range[4] = std::max(FloorCell(lo.z, -kHalfWidth), 0);
    range[5] = std::min(FloorCell(hi.z, -kHalfWidth), kRows - 1);
    return range[0] <= range[1] && range[2] <= range[3] && range[4] <= range[5];
}
