// The level builder's undo and redo: whole level documents as they stood after each edit, and
// the position of the last save among them for the unsaved-changes marker.
#pragma once

#include "foundation/XString.h"

#include <cstddef>
#include <deque>

class CGameLevel;

class CLevelHistory
{
public:
    // Undo steps kept; older ones are forgotten. A level at every capacity writes a document of
    // some 700 KB, so the steps stay within about 70 MB.
    static constexpr size_t kMaxSteps = 100;

    // Forgets every step: the level as it stands is the only state, and counts as saved.
    void Reset(const CGameLevel& level);
    // After an edit: the level as it stands becomes a new step, and the steps undone before it
    // are gone. A document equal to the present step adds nothing (an edit that changed nothing).
    // False when nothing was added.
    bool Record(const CGameLevel& level);
    // Replaces the present step by the level as it stands, adding no step and leaving the saved
    // mark where it is: for writes that change only bookkeeping (file name, number, scores).
    void Rebase(const CGameLevel& level);
    // Puts the level back to the step before (Undo) or after (Redo) the present one, read in
    // builder mode; the selection is cleared. False when there is no such step.
    bool Undo(CGameLevel& level);
    bool Redo(CGameLevel& level);
    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current + 1 < m_steps.size(); }
    // The present step is what the level's file holds now.
    void MarkSaved();
    // True when the present step is not the one last saved (the bar's "*").
    bool IsModified() const;
    size_t GetStepCount() const { return m_steps.size(); }

private:
    bool Restore(CGameLevel& level, size_t step);

    std::deque<XString> m_steps;
    size_t m_current = 0;
    // Index of the saved step; kNone when it was forgotten or undone away.
    static constexpr size_t kNone = static_cast<size_t>(-1);
    size_t m_saved = kNone;
};
