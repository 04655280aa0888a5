// A dialog built from a template on a real X display: every kind of control, what the player does
// to them and what the dialog hears of it.
#include "platform/dialog/DialogControl.h"
#include "platform/dialog/XControl.h"
#include "platform/dialog/XDialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace
{

using plk::ControlKind;

enum
{
    kButton = 10,
    kDefault,
    kAuto,
    kManual,
    kList,
    kEdit,
    kPassword,
    kText,
    kLocked,
};

plk::DialogTemplate EveryControl()
{
    plk::DialogTemplate dialog;
    dialog.caption = "Every control";
    dialog.width = 200;
    dialog.height = 150;
    dialog.items = {
        {kDefault, ControlKind::kDefaultPushButton, "OK", 140, 7, 50, 14},
        {kButton, ControlKind::kPushButton, "Other", 140, 24, 50, 14},
        {kLocked, ControlKind::kPushButton, "Locked", 140, 41, 50, 14, true},
        {kList, ControlKind::kListBox, "", 7, 7, 120, 60},
        {kAuto, ControlKind::kAutoCheckBox, "Automatic", 7, 70, 80, 10},
        {kManual, ControlKind::kCheckBox, "Manual", 7, 82, 80, 10},
        {plk::kNoControlId, ControlKind::kGroupBox, "Login", 4, 94, 190, 50},
        {kEdit, ControlKind::kEditBox, "typed", 10, 106, 80, 14},
        {kPassword, ControlKind::kPasswordBox, "", 100, 106, 80, 14},
        {kText, ControlKind::kStaticText, "@ and more", 10, 124, 150, 8},
    };
    return dialog;
}

// Records what it hears; ends at the button "Other" or when told.
class TestDialog : public plk::XDialog
{
public:
    TestDialog() : plk::XDialog(EveryControl()) {}

    std::vector<std::pair<int, int>> commands;
    int closes = 0;
    bool refuseInit = false;

    // Plays the steps, then ends the dialog with code 5 should it still be open.
    int Play(std::vector<std::function<void()>> steps)
    {
        for (auto& step : steps)
            RunWhenShown(std::move(step));
        RunWhenShown([this] { EndDialog(5); });
        return DoModal();
    }

protected:
    bool OnInitDialog() override { return !refuseInit; }
    void OnCommand(int id, int notification) override { commands.emplace_back(id, notification); }
    void OnClose() override { ++closes; }
};

template <typename Control>
Control Attached(plk::XDialog& dialog, int id)
{
    Control control;
    EXPECT_TRUE(control.Attach(dialog, id)) << id;
    return control;
}

// A key press as the X server would deliver it to the dialog's window.
void PressKey(plk::XDialog& dialog, int key)
{
    Fl::e_keysym = key;
    Fl::e_state = 0;
    Fl::e_text = const_cast<char*>("");
    Fl::e_length = 0;
    Fl::handle(FL_KEYBOARD, dialog.FindControl(kList)->widget->window());
}

} // namespace

TEST(Dialog, ControlsLieWhereTheTemplatePutsThemInPixelsOfTheFont)
{
    TestDialog dialog;
    dialog.Play({[&] {
        const plk::DialogBaseUnits base = dialog.BaseUnits();
        // An 8-point face averages 5 to 7 pixels a character and stands 12 to 15 high.
        EXPECT_GE(base.x, 5);
        EXPECT_LE(base.x, 7);
        EXPECT_GE(base.y, 12);
        EXPECT_LE(base.y, 15);
        const Fl_Widget* list = dialog.FindControl(kList)->widget;
        EXPECT_EQ(plk::DialogUnitsToPixelsX(7, base), list->x());
        EXPECT_EQ(plk::DialogUnitsToPixelsY(7, base), list->y());
        EXPECT_EQ(plk::DialogUnitsToPixelsX(120, base), list->w());
        EXPECT_EQ(plk::DialogUnitsToPixelsY(60, base), list->h());
        const Fl_Window* window = list->window();
        EXPECT_EQ(plk::DialogUnitsToPixelsX(200, base), window->w());
        EXPECT_EQ(plk::DialogUnitsToPixelsY(150, base), window->h());
        EXPECT_STREQ("Every control", window->label());
        EXPECT_EQ(nullptr, dialog.FindControl(plk::kNoControlId));
        EXPECT_EQ(nullptr, dialog.FindControl(999));
    }});
}

TEST(Dialog, ButtonsAndCheckBoxesNotifyAClickAndOnlyTheAutomaticBoxTogglesItself)
{
    TestDialog dialog;
    bool autoChecked = false, manualChecked = true, manualSet = false;
    EXPECT_EQ(5, dialog.Play({[&] {
        Attached<plk::XButton>(dialog, kButton).Click();
        auto automatic = Attached<plk::XCheckBox>(dialog, kAuto);
        automatic.Click();
        autoChecked = automatic.IsChecked();
        auto manual = Attached<plk::XCheckBox>(dialog, kManual);
        manual.Click();
        manualChecked = manual.IsChecked();
        manual.Toggle();
        manualSet = manual.IsChecked();
    }}));
    const std::vector<std::pair<int, int>> expected = {
        {kButton, plk::kNotifyClicked}, {kAuto, plk::kNotifyClicked}, {kManual, plk::kNotifyClicked}};
    EXPECT_EQ(expected, dialog.commands);
    EXPECT_TRUE(autoChecked);
    EXPECT_FALSE(manualChecked) << "a plain check box leaves its state to the dialog";
    EXPECT_TRUE(manualSet);
}

TEST(Dialog, DisabledControlIgnoresTheClickUntilEnabled)
{
    TestDialog dialog;
    bool enabledAtFirst = true;
    dialog.Play({[&] {
        auto locked = Attached<plk::XButton>(dialog, kLocked);
        enabledAtFirst = locked.IsEnabled();
        locked.Click();
        locked.Enable(true);
        locked.Click();
    }});
    EXPECT_FALSE(enabledAtFirst);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{kLocked, plk::kNotifyClicked}}), dialog.commands);
}

TEST(Dialog, ListCountsFromZeroAndNotifiesOnlyAChangedSelection)
{
    TestDialog dialog;
    std::vector<int> seen;
    dialog.Play({[&] {
        auto list = Attached<plk::XListBox>(dialog, kList);
        EXPECT_EQ(0, list.AddString("@first"));
        EXPECT_EQ(1, list.AddString("second"));
        EXPECT_EQ(2, list.AddString("third"));
        EXPECT_EQ("@first", list.GetText(0)) << "entries are shown as given";
        EXPECT_EQ("", list.GetText(3));
        seen.push_back(list.GetCurSel());
        list.SetCurSel(2);
        seen.push_back(list.GetCurSel());
        list.SetCurSel(3);
        seen.push_back(list.GetCurSel());
        list.Choose(1);
        list.Choose(1);
        seen.push_back(list.GetCurSel());
        list.ResetContent();
        seen.push_back(list.GetCount());
        seen.push_back(list.GetCurSel());
    }});
    EXPECT_EQ((std::vector<int>{-1, 2, -1, 1, 0, -1}), seen);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{kList, plk::kNotifySelectionChanged}}), dialog.commands)
        << "setting the selection is not the player's doing, choosing the same entry twice is one change";
}

TEST(Dialog, KeysActAsOnAWindowsDialog)
{
    TestDialog dialog;
    int selected = -1;
    dialog.Play({[&] {
        auto list = Attached<plk::XListBox>(dialog, kList);
        list.AddString("a");
        list.AddString("b");
        list.SetCurSel(0);
        Fl::focus(dialog.FindControl(kList)->widget);
        PressKey(dialog, FL_Down);
        selected = list.GetCurSel();
        // Enter presses the default button although the list has the focus; Escape closes.
        PressKey(dialog, FL_Enter);
        PressKey(dialog, FL_Escape);
    }});
    EXPECT_EQ(1, selected);
    const std::vector<std::pair<int, int>> expected = {{kList, plk::kNotifySelectionChanged},
                                                       {kDefault, plk::kNotifyClicked}};
    EXPECT_EQ(expected, dialog.commands);
    EXPECT_EQ(1, dialog.closes);
}

TEST(Dialog, TextsOfEditBoxesAndStaticTextsReadBackAsSet)
{
    TestDialog dialog;
    std::vector<std::string> texts;
    dialog.Play({[&] {
        auto edit = Attached<plk::XEditBox>(dialog, kEdit);
        auto password = Attached<plk::XEditBox>(dialog, kPassword);
        auto text = Attached<plk::XStaticText>(dialog, kText);
        texts.push_back(edit.GetText());
        texts.push_back(password.GetText());
        texts.push_back(text.GetText());
        edit.SetText("user name");
        password.SetText("secret");
        text.SetText("@@two at signs");
        texts.push_back(edit.GetText());
        texts.push_back(password.GetText());
        texts.push_back(text.GetText());
    }});
    EXPECT_EQ((std::vector<std::string>{"typed", "", "@ and more", "user name", "secret", "@@two at signs"}), texts);
}

TEST(Dialog, CloseBoxLeavesTheBaseDialogOpenAndEndDialogGivesTheCode)
{
    plk::XDialog plain(EveryControl());
    bool openAfterClose = false;
    plain.RunWhenShown([&] {
        plain.NotifyClose();
        openAfterClose = plain.IsOpen();
    });
    plain.RunWhenShown([&] { plain.EndDialog(42); });
    EXPECT_EQ(42, plain.DoModal()) << plain.Error();
    EXPECT_TRUE(openAfterClose);
    EXPECT_FALSE(plain.IsOpen());

    // Once closed, the wrappers find nothing and do nothing.
    plk::XEditBox edit;
    EXPECT_FALSE(edit.Attach(plain, kEdit));
    edit.SetText("ignored");
    EXPECT_EQ("", edit.GetText());
}

TEST(Dialog, RefusedInitEndsTheDialogAtOnce)
{
    TestDialog dialog;
    dialog.refuseInit = true;
    bool stepRan = false;
    EXPECT_EQ(0, dialog.Play({[&] { stepRan = true; }}));
    EXPECT_FALSE(stepRan);
    EXPECT_FALSE(dialog.IsOpen());

    // The same object opens again.
    dialog.refuseInit = false;
    EXPECT_EQ(5, dialog.Play({}));
}
