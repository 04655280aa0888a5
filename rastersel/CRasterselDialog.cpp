// CRasterselDialog: the mode list, the selection rules and the writing of the choice.
#include "rastersel/CRasterselDialog.h"

#include "platform/window/Display.h"

namespace
{

const char* const kCaption = "Plinkett3 Video Mode Selection";
const char* const kSelectedPrefix = "Selected mode = ";
const char* const kModeFormat = "Resolution: %dx%d, color depth: %dbits, frequency: %dHz";
// Palette modes cannot show the game.
const int kLowestListedDepth = 9;

} // namespace

const char* const CRasterselDialog::kCurrentModeEntry = "Use my current screen mode (Always valid)";

CRasterselDialog::CRasterselDialog(const XString& dataFolder) : plk::XDialog(MakeTemplate()), m_strDataFolder(dataFolder)
{
    m_settings.Read(m_strDataFolder.GetBuffer());
}

plk::DialogTemplate CRasterselDialog::MakeTemplate()
{
    using plk::ControlKind;
    plk::DialogTemplate dialog;
    dialog.caption = kCaption;
    dialog.width = 369;
    dialog.height = 212;
    dialog.fontPoints = 8;
    dialog.items = {
        {kIdOk, ControlKind::kDefaultPushButton, "OK", 312, 7, 50, 14},
        {kIdCancel, ControlKind::kPushButton, "Cancel", 312, 24, 50, 14},
        {kIdDefault, ControlKind::kPushButton, "Default", 312, 41, 50, 14},
        {kIdModeList, ControlKind::kListBox, "", 7, 17, 301, 176},
        {plk::kNoControlId, ControlKind::kStaticText, "Selected video mode =", 7, 7, 78, 8},
        {kIdSelectedMode, ControlKind::kStaticText, "", 84, 7, 214, 8},
        {kIdFullScreen, ControlKind::kAutoCheckBox,
         "Run game full screen (Note: We suggest you uncheck this option if this is the first time running the "
         "game.)",
         7, 195, 355, 10},
    };
    return dialog;
}

bool CRasterselDialog::OnInitDialog()
{
    m_btnOk.Attach(*this, kIdOk);
    m_btnCancel.Attach(*this, kIdCancel);
    m_btnDefault.Attach(*this, kIdDefault);
    m_lstModes.Attach(*this, kIdModeList);
    m_txtSelectedMode.Attach(*this, kIdSelectedMode);
    m_chkFullScreen.Attach(*this, kIdFullScreen);
    RunStartSteps();
    return true;
}

void CRasterselDialog::OnCommand(int id, int notification)
{
    if (m_btnOk.IsId(id))
    {
        Save();
        EndDialog(0);
    }
    else if (m_btnCancel.IsId(id))
    {
        EndDialog(0);
    }
    else if (m_btnDefault.IsId(id))
    {
        m_settings.Id = 0;
        m_settings.Width = 0;
        m_settings.Height = 0;
        m_settings.BitsPerPixel = 0;
        m_settings.Hz = 0;
        m_settings.FullScreen = false;
        RunStartSteps();
    }
    else if (m_lstModes.IsId(id) && notification == plk::kNotifySelectionChanged)
    {
        SelectionChanged();
    }
}

void CRasterselDialog::OnClose()
{
    EndDialog(0);
}

void CRasterselDialog::RunStartSteps()
{
    m_chkFullScreen.Set(m_settings.FullScreen);
    FillList();
    ShowSelectedMode();
}

void CRasterselDialog::FillList()
{
    std::vector<plk::DisplayMode> system;
    // Without an answer from the system the list holds the current screen mode alone.
    plk::ListDisplayModes(system);
    m_lstModes.ResetContent();
    m_modes.clear();
    m_lstModes.AddString(kCurrentModeEntry);
    XString text;
    for (const plk::DisplayMode& mode : system)
    {
        if (mode.bitsPerPixel < kLowestListedDepth)
            continue;
        if (static_cast<int>(m_modes.size()) == kMaxModes)
            break;
        m_modes.push_back(ListedMode{mode.width, mode.height, mode.bitsPerPixel, mode.refreshRate});
        text.Format(kModeFormat, mode.width, mode.height, mode.bitsPerPixel, mode.refreshRate);
        m_lstModes.AddString(text.GetBuffer());
    }
    // An Id beyond the list selects nothing.
    m_lstModes.SetCurSel(m_settings.Id);
}

void CRasterselDialog::ShowSelectedMode()
{
    std::string text(kSelectedPrefix);
    text += m_lstModes.GetText(m_lstModes.GetCurSel());
    m_txtSelectedMode.SetText(text);
}

void CRasterselDialog::SelectionChanged()
{
    const int entry = m_lstModes.GetCurSel();
    if (entry < 0 || entry == m_settings.Id)
        return;
    m_settings.Id = entry;
    if (entry == 0)
    {
        m_settings.Width = 0;
        m_settings.Height = 0;
        m_settings.BitsPerPixel = 0;
        m_settings.Hz = 0;
    }
    else
    {
        const ListedMode& mode = m_modes[static_cast<size_t>(entry - 1)];
        m_settings.Width = mode.width;
        m_settings.Height = mode.height;
        m_settings.BitsPerPixel = mode.bitsPerPixel;
        m_settings.Hz = mode.hz;
    }
    ShowSelectedMode();
}

void CRasterselDialog::Save()
{
    m_settings.FullScreen = m_chkFullScreen.IsChecked();
    m_bWritten = m_settings.Write(m_strDataFolder.GetBuffer());
}
