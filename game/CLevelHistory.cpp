#include "game/CLevelHistory.h"

#include "game/CGameLevel.h"

namespace
{
XString Snapshot(const CGameLevel& level)
{
    XString document;
    level.WriteDocument(document, false, false);
    return document;
}
} // namespace

void CLevelHistory::Reset(const CGameLevel& level)
{
    m_steps.clear();
    m_steps.push_back(Snapshot(level));
    m_current = 0;
    m_saved = 0;
}

bool CLevelHistory::Record(const CGameLevel& level)
{
    XString document = Snapshot(level);
    if (m_steps.empty())
    {
        // A level never reset has no known saved state: everything in it is unsaved.
        m_steps.push_back(std::move(document));
        m_current = 0;
        m_saved = kNone;
        return true;
    }
    if (document == m_steps[m_current])
        return false;
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_current) + 1, m_steps.end());
    if (m_saved != kNone && m_saved > m_current)
        m_saved = kNone;
    m_steps.push_back(std::move(document));
    ++m_current;
    if (m_steps.size() > kMaxSteps + 1)
    {
        m_steps.pop_front();
        --m_current;
        if (m_saved != kNone)
            m_saved = m_saved == 0 ? kNone : m_saved - 1;
    }
    return true;
}

void CLevelHistory::Rebase(const CGameLevel& level)
{
    if (m_steps.empty())
        Reset(level);
    else
        m_steps[m_current] = Snapshot(level);
}

bool CLevelHistory::Restore(CGameLevel& level, size_t step)
{
    // The camera is the player's view, not part of the edit: it stays where it is.
    const float tilt = level.GetCameraTilt();
    const float angle = level.GetCameraAngle();
    const float zoom = level.GetCameraZoom();
    // Read under the last edited level's name: a builder level is never held to the origin mark
    // of the standard levels, whatever its own file is called.
    const bool read = level.LoadFromDocument(CGameLevel::kLastEditedName, m_steps[step], true, false);
    level.AdjustCamera(tilt - level.GetCameraTilt(), angle - level.GetCameraAngle(), zoom - level.GetCameraZoom());
    m_current = step;
    return read;
}

bool CLevelHistory::Undo(CGameLevel& level)
{
    return CanUndo() && Restore(level, m_current - 1);
}

bool CLevelHistory::Redo(CGameLevel& level)
{
    return CanRedo() && Restore(level, m_current + 1);
}

void CLevelHistory::MarkSaved()
{
    m_saved = m_steps.empty() ? kNone : m_current;
}

bool CLevelHistory::IsModified() const
{
    return !m_steps.empty() && m_saved != m_current;
}
