// One run of the real game program: a private install folder that shares the staged data, a
// script, and what the run left behind (log lines, screenshots).
#pragma once

#include "foundation/XString.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct TitleBitmap
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr; // bottom-up rows, 3 bytes a pixel, rows padded to 4 bytes

    // Red, green, blue of the pixel at x, y counted from the top.
    void Pixel(int x, int y, int& r, int& g, int& b) const;
};

struct Rgb
{
    int r = 0, g = 0, b = 0;
};

class CGameLevel;

class TitleRun
{
public:
    // Every frame of a run lasts this many ms of game time, so that runs are the same every time.
    static constexpr int kFrameMs = 20;

    TitleRun();
    ~TitleRun();
    TitleRun(const TitleRun&) = delete;
    TitleRun& operator=(const TitleRun&) = delete;

    // Runs the program to its end with the script; returns its exit status (-1 when it could not run
    // or was killed).
    int Run(const std::string& script, int maxFrames);
    // Variables set for the program's next runs, as "NAME='value' ..." shell assignments.
    void SetEnvironment(const std::string& assignments) { m_environment = assignments; }

    std::vector<std::string> LogLines() const;
    // Screenshots of the last run in the order taken.
    std::vector<std::filesystem::path> Shots() const;
    static bool ReadBitmap(const std::filesystem::path& file, TitleBitmap& out);
    // Pixel x, y of screenshot n of the run; black when there is no such shot.
    Rgb ShotPixel(size_t n, int x, int y) const;
    const std::filesystem::path& Install() const { return m_install; }
    // The run's data folder as the game names it, with its separator at the end.
    XString DataFolder() const;
    // Reads a saved game of the run back as the game does.
    bool ReadSavedGame(const char* name, CGameLevel& level) const;
    // Takes a file of the staged data out of this run's data folder.
    void HideData(const std::string& name);
    // Gives the run a levels folder of its own (the staged levels linked in) and returns it, so
    // that levels the run writes never reach the staging.
    std::filesystem::path OwnLevels();
    // Cuts this run's own copy of a staged level file to size bytes; the staged file is untouched.
    void CutLevel(const std::string& fileName, std::uintmax_t size);
    // The names in the run's saved-games folder (none when the folder was never made).
    std::vector<std::string> SavedGames() const;

private:
    std::filesystem::path m_root;
    std::filesystem::path m_install;
    std::string m_environment;
};
