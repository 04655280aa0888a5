// The video-mode dialog: the display modes of the primary screen in a list, full screen or not,
// and the choice written to "VideoMode.xml" in the data folder when the player presses OK.
#pragma once

#include "foundation/VideoModeSettings.h"
#include "foundation/XString.h"
#include "platform/dialog/XControl.h"
#include "platform/dialog/XDialog.h"

#include <vector>

class CRasterselDialog : public plk::XDialog
{
public:
    static constexpr int kIdModeList = 1000;
    static constexpr int kIdSelectedMode = 1001;
    static constexpr int kIdDefault = 1003;
    static constexpr int kIdFullScreen = 1004;
    static constexpr int kIdOk = 1005;
    static constexpr int kIdCancel = 1006;
    // Room in the mode table; modes beyond it are not listed.
    static constexpr int kMaxModes = 1024;
    static const char* const kCurrentModeEntry;

    // Reads "VideoMode.xml" from dataFolder at once: the defaults when it cannot be read.
    explicit CRasterselDialog(const XString& dataFolder);

    static plk::DialogTemplate MakeTemplate();

    // The record as the dialog holds it now; written at OK.
    const VideoModeSettings& GetSettings() const { return m_settings; }
    // After OK: whether the file was written, and why not (an OK that could not write closes the
    // dialog all the same, without a message).
    bool WasWritten() const { return m_bWritten; }
    const char* GetWriteError() const { return m_settings.GetErrorMsg(); }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int notification) override;
    void OnClose() override;

private:
    struct ListedMode
    {
        int width;
        int height;
        int bitsPerPixel;
        int hz;
    };

    // Check box from the record, the list refilled, the selected mode's text.
    void RunStartSteps();
    void FillList();
    void ShowSelectedMode();
    void SelectionChanged();
    void Save();

    XString m_strDataFolder;
    VideoModeSettings m_settings;
    bool m_bWritten = false;
    // List entry i (from 1) shows m_modes[i - 1]; entry 0 is the current screen mode.
    std::vector<ListedMode> m_modes;
    plk::XButton m_btnOk;
    plk::XButton m_btnCancel;
    plk::XButton m_btnDefault;
    plk::XListBox m_lstModes;
    plk::XStaticText m_txtSelectedMode;
    plk::XCheckBox m_chkFullScreen;
};
