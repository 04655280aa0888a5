// Review pictures composed from the written files exactly as the screens place them, plus a contact sheet.
#pragma once

#include "tools/artkit/Canvas.h"

#include <map>
#include <string>

namespace uigen
{

class Preview
{
public:
    // Loads every file of the layout from dataDir; false with the reason when one cannot be read.
    bool Load(const std::string& dataDir, std::string& error);
    // Writes title.png, status.png, menu.png, complete.png, difficulty.png, list.png, builder.png,
    // builder-hits.png, gameover.png, splash.png and contact-sheet.png into outDir.
    bool WriteAll(const std::string& outDir, std::string& error) const;

private:
    const art::Canvas& File(const std::string& name) const;
    // Draws a sprite of the layout at design position (x, y) of a 1024 x 768 screen.
    void Sprite(art::Canvas& screen, const std::string& sprite, int x, int y) const;
    void MenuFrame(art::Canvas& screen, int x, int y, int cols, int rows) const;
    art::Canvas PlayArea() const;
    art::Canvas Title() const;
    art::Canvas Status() const;
    art::Canvas Menu() const;
    art::Canvas Complete() const;
    art::Canvas Difficulty() const;
    art::Canvas List() const;
    art::Canvas Builder(bool hits) const;
    art::Canvas GameOver() const;
    art::Canvas Splash() const;
    art::Canvas ContactSheet() const;

    std::map<std::string, art::Canvas> m_files;
};

} // namespace uigen
