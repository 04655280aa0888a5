// The Rastersel tests' shared pieces.
#include "RasterselTestKit.h"

#include "platform/dialog/XControl.h"
#include "platform/window/Display.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

const uid_t kNobody = 65534;

} // namespace

InstallFolder::InstallFolder()
{
    std::string pattern = (fs::temp_directory_path() / "plk_rastersel_XXXXXX").string();
    m_root = mkdtemp(pattern.data());
    // Open to the unprivileged user of the permission tests, as an install folder is.
    fs::permissions(m_root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    fs::create_directories(Data());
}

InstallFolder::~InstallFolder()
{
    std::error_code ignored;
    fs::permissions(Data(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_root, ignored);
}

XString InstallFolder::DataFolder() const
{
    return XString((m_root.string() + "\\data\\").c_str());
}

void InstallFolder::WriteFile(const std::string& bytes) const
{
    std::ofstream(File(), std::ios::binary) << bytes;
}

std::string InstallFolder::ReadFile() const
{
    std::ifstream in(File(), std::ios::binary);
    if (!in)
        return "(absent)";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string VideoModeText(int id, int width, int height, int bits, int hz, bool fullScreen)
{
    return "<VideoMode>\r\n\t<Id>" + std::to_string(id) + "</Id>\r\n\t<Width>" + std::to_string(width) +
           "</Width>\r\n\t<Height>" + std::to_string(height) + "</Height>\r\n\t<BitsPerPixel>" +
           std::to_string(bits) + "</BitsPerPixel>\r\n\t<Hz>" + std::to_string(hz) + "</Hz>\r\n\t<FullScreen>" +
           (fullScreen ? "true" : "false") + "</FullScreen>\r\n</VideoMode>";
}

PlayerStep Choose(int entry)
{
    return [entry](CRasterselDialog& dialog) {
        plk::XListBox list;
        ASSERT_TRUE(list.Attach(dialog, CRasterselDialog::kIdModeList));
        list.Choose(entry);
    };
}

PlayerStep Press(int controlId)
{
    return [controlId](CRasterselDialog& dialog) {
        plk::XControl control;
        ASSERT_TRUE(control.Attach(dialog, controlId)) << controlId;
        control.Click();
    };
}

PlayerStep CloseWindow()
{
    return [](CRasterselDialog& dialog) { dialog.NotifyClose(); };
}

PlayerStep Expect(std::function<void(CRasterselDialog&)> check)
{
    return check;
}

void RunDialog(CRasterselDialog& dialog, const std::vector<plk::DisplayMode>& modes,
               const std::vector<PlayerStep>& steps)
{
    plk::DisplayModeOverride screen(modes);
    for (const PlayerStep& step : steps)
        dialog.RunWhenShown([&dialog, step] { step(dialog); });
    dialog.RunWhenShown([&dialog] {
        ADD_FAILURE() << "the dialog is still open after the last step";
        dialog.EndDialog(0);
    });
    ASSERT_EQ(0, dialog.DoModal()) << dialog.Error();
    EXPECT_FALSE(dialog.IsOpen());
}

DialogView Look(CRasterselDialog& dialog)
{
    DialogView view;
    plk::XListBox list;
    plk::XCheckBox fullScreen;
    plk::XStaticText selected;
    EXPECT_TRUE(list.Attach(dialog, CRasterselDialog::kIdModeList));
    EXPECT_TRUE(fullScreen.Attach(dialog, CRasterselDialog::kIdFullScreen));
    EXPECT_TRUE(selected.Attach(dialog, CRasterselDialog::kIdSelectedMode));
    for (int i = 0; i < list.GetCount(); ++i)
        view.entries.push_back(list.GetText(i));
    view.selected = list.GetCurSel();
    view.fullScreen = fullScreen.IsChecked();
    view.selectedText = selected.GetText();
    return view;
}

AsUnprivilegedUser::AsUnprivilegedUser()
{
    if (geteuid() == 0)
        m_switched = seteuid(kNobody) == 0;
}

AsUnprivilegedUser::~AsUnprivilegedUser()
{
    if (m_switched && seteuid(0) != 0)
        std::abort();
}
