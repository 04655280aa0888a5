// The text of a scripted run, written in the 1024 x 768 design's units and turned into the
// window pixels of the default 800 x 600 mode, frame by frame.
#pragma once

#include <string>

class RunScript
{
public:
    // The window of the default video mode.
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    // Window pixels of a point of the 1024 x 768 design.
    static int X(float designX);
    static int Y(float designY);

    // Down at frame, up one frame later, at a design point or a window pixel.
    void Click(int frame, float designX, float designY);
    void ClickPixel(int frame, int x, int y);
    // The cursor only, so that a list row can be hovered before it is clicked.
    void Move(int frame, float designX, float designY);
    // Down at frame, up at the next.
    void Key(int frame, const char* name);
    // A key held from down to up, for combinations such as Ctrl+Z.
    void KeyDown(int frame, const char* name);
    void KeyUp(int frame, const char* name);
    void Type(int frame, const std::string& text);
    void Shot(int frame);
    // From frame on each frame lasts at least ms of wall time (0: as fast as it goes).
    void Pace(int frame, int ms);

    // Saves the game from the status bar under name (at most eight characters), then leaves the
    // level for the title; returns the frame on which the title is up again.
    int SaveAndExit(int frame, const std::string& name);
    // Opens the saved-games list from the title and loads the game in that row (from 0); returns
    // the frame on which the loaded level's start card is up.
    int LoadFromTitle(int frame, int row);

    const std::string& Text() const { return m_text; }

private:
    void Line(int frame, const std::string& what);

    std::string m_text;
};
