// What the Rastersel tests share: a private install folder, the file's expected bytes, and the
// player's part in a dialog run.
#pragma once

#include "platform/window/Display.h"
#include "rastersel/CRasterselDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A fresh install folder with its data folder, removed afterwards.
class InstallFolder
{
public:
    InstallFolder();
    ~InstallFolder();
    InstallFolder(const InstallFolder&) = delete;
    InstallFolder& operator=(const InstallFolder&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Data() const { return m_root / "data"; }
    std::filesystem::path File() const { return Data() / "VideoMode.xml"; }
    // The data folder as the programs spell it: backslashes, ending in one.
    XString DataFolder() const;

    void WriteFile(const std::string& bytes) const;
    // The file's bytes; "(absent)" when there is none.
    std::string ReadFile() const;

private:
    std::filesystem::path m_root;
};

// The exact bytes Rastersel writes for a record.
std::string VideoModeText(int id, int width, int height, int bits, int hz, bool fullScreen);

// One thing the player does in the open dialog.
using PlayerStep = std::function<void(CRasterselDialog&)>;

PlayerStep Choose(int entry);
PlayerStep Press(int controlId);
PlayerStep CloseWindow();
// Checks made while the dialog is open.
PlayerStep Expect(std::function<void(CRasterselDialog&)> check);

// Shows the dialog on the data folder with these modes, plays the steps and returns once it has
// closed; a dialog still open after the last step is a failure and is closed.
void RunDialog(CRasterselDialog& dialog, const std::vector<plk::DisplayMode>& modes,
               const std::vector<PlayerStep>& steps);

// The list's entries, the selected one, the check box and the selected-mode text, as the player
// sees them.
struct DialogView
{
    std::vector<std::string> entries;
    int selected = -1;
    bool fullScreen = false;
    std::string selectedText;
};
DialogView Look(CRasterselDialog& dialog);

// Root passes every permission check: permission tests act as "nobody" while this lives.
class AsUnprivilegedUser
{
public:
    AsUnprivilegedUser();
    ~AsUnprivilegedUser();
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

private:
    bool m_switched = false;
};
