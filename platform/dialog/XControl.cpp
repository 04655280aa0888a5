// The control wrappers and the glue between FLTK's callbacks and XDialog's notifications.
#include "platform/dialog/XControl.h"

#include "platform/dialog/DialogControl.h"
#include "platform/dialog/XDialog.h"
#include "platform/fs/Path.h"

#include <FL/Fl_BMP_Image.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>

namespace plk
{
namespace
{

bool IsTextEntry(ControlKind kind)
{
    return kind == ControlKind::kEditBox || kind == ControlKind::kPasswordBox;
}

bool IsCheckBox(ControlKind kind)
{
    return kind == ControlKind::kAutoCheckBox || kind == ControlKind::kCheckBox;
}

// Line 0 selects nothing; the browser's own value(0) would leave its selection as it was.
void SelectLine(Fl_Hold_Browser& list, int line)
{
    if (line == 0)
        list.deselect();
    else
        list.value(line);
}

Fl_Hold_Browser* Browser(DialogControl* control)
{
    return control && control->kind == ControlKind::kListBox ? static_cast<Fl_Hold_Browser*>(control->widget)
                                                                : nullptr;
}

} // namespace

void ControlCallback(Fl_Widget*, void* data)
{
    DialogControl& control = *static_cast<DialogControl*>(data);
    switch (control.kind)
    {
    case ControlKind::kListBox:
    {
        auto* list = static_cast<Fl_Hold_Browser*>(control.widget);
        const int line = list->value();
        // A click below the last entry clears the browser's selection; a list box keeps its own.
        if (line == 0)
        {
            SelectLine(*list, control.selectedLine);
            return;
        }
        if (line == control.selectedLine)
            return;
        control.selectedLine = line;
        control.dialog->Notify(control.id, kNotifySelectionChanged);
        return;
    }
    case ControlKind::kPushButton:
    case ControlKind::kDefaultPushButton:
    case ControlKind::kAutoCheckBox:
    case ControlKind::kCheckBox:
        control.dialog->Notify(control.id, kNotifyClicked);
        return;
    case ControlKind::kEditBox:
    case ControlKind::kPasswordBox:
    case ControlKind::kStaticText:
    case ControlKind::kGroupBox:
    case ControlKind::kPicture:
        return;
    }
}

void SetControlText(DialogControl& control, const std::string& text)
{
    if (IsTextEntry(control.kind))
    {
        static_cast<Fl_Input*>(control.widget)->value(text.c_str());
        return;
    }
    // A label that starts with "@" would be drawn as one of FLTK's symbols; "@@" is a plain "@".
    control.widget->copy_label(!text.empty() && text[0] == '@' ? ("@" + text).c_str() : text.c_str());
    // A label outside the widget's box (a group box's) leaves marks behind unless its parent redraws.
    if (control.widget->parent())
        control.widget->parent()->redraw();
}

std::string GetControlText(const DialogControl& control)
{
    if (IsTextEntry(control.kind))
        return static_cast<Fl_Input*>(control.widget)->value();
    const char* label = control.widget->label();
    if (!label)
        return std::string();
    return label[0] == '@' && label[1] == '@' ? std::string(label + 1) : std::string(label);
}

bool XControl::Attach(XDialog& dialog, int id)
{
    m_dialog = &dialog;
    m_id = id;
    return Control() != nullptr;
}

DialogControl* XControl::Control() const
{
    return m_dialog ? m_dialog->FindControl(m_id) : nullptr;
}

void XControl::Enable(bool enable)
{
    if (DialogControl* control = Control())
    {
        if (enable)
            control->widget->activate();
        else
            control->widget->deactivate();
    }
}

bool XControl::IsEnabled() const
{
    DialogControl* control = Control();
    return control && control->widget->active();
}

void XControl::Click()
{
    DialogControl* control = Control();
    if (!control || !control->widget->active())
        return;
    if (control->kind == ControlKind::kAutoCheckBox)
    {
        auto* box = static_cast<Fl_Button*>(control->widget);
        box->value(!box->value());
    }
    control->widget->do_callback();
}

void XCheckBox::Set(bool checked)
{
    DialogControl* control = Control();
    if (control && IsCheckBox(control->kind))
        static_cast<Fl_Button*>(control->widget)->value(checked ? 1 : 0);
}

bool XCheckBox::IsChecked() const
{
    DialogControl* control = Control();
    return control && IsCheckBox(control->kind) && static_cast<Fl_Button*>(control->widget)->value() != 0;
}

std::string XTextControl::GetText() const
{
    DialogControl* control = Control();
    return control ? GetControlText(*control) : std::string();
}

void XTextControl::SetText(const std::string& text)
{
    if (DialogControl* control = Control())
        SetControlText(*control, text);
}

bool XPicture::LoadBitmap(const std::string& path)
{
    DialogControl* control = Control();
    if (!control || control->kind != ControlKind::kPicture || fs::HasEmbeddedNul(path))
        return false;
    auto image = std::make_shared<Fl_BMP_Image>(fs::ResolvePath(path).c_str());
    const bool loaded = image->fail() == 0 && image->w() > 0 && image->h() > 0;
    control->image = loaded ? std::move(image) : nullptr;
    control->widget->image(control->image.get());
    control->widget->redraw();
    return loaded;
}

bool XPicture::HasBitmap() const
{
    DialogControl* control = Control();
    return control && control->image;
}

void XListBox::ResetContent()
{
    if (Fl_Hold_Browser* list = Browser(Control()))
    {
        list->clear();
        Control()->selectedLine = 0;
    }
}

int XListBox::AddString(const std::string& text)
{
    Fl_Hold_Browser* list = Browser(Control());
    if (!list)
        return -1;
    list->add(text.c_str());
    return list->size() - 1;
}

int XListBox::GetCount() const
{
    Fl_Hold_Browser* list = Browser(Control());
    return list ? list->size() : 0;
}

void XListBox::SetCurSel(int index)
{
    DialogControl* control = Control();
    Fl_Hold_Browser* list = Browser(control);
    if (!list)
        return;
    const int line = index >= 0 && index < list->size() ? index + 1 : 0;
    SelectLine(*list, line);
    control->selectedLine = line;
}

int XListBox::GetCurSel() const
{
    Fl_Hold_Browser* list = Browser(Control());
    return list ? list->value() - 1 : -1;
}

std::string XListBox::GetText(int index) const
{
    Fl_Hold_Browser* list = Browser(Control());
    if (!list || index < 0 || index >= list->size())
        return std::string();
    const char* text = list->text(index + 1);
    return text ? text : "";
}

void XListBox::Choose(int index)
{
    DialogControl* control = Control();
    Fl_Hold_Browser* list = Browser(control);
    if (!list || !list->active() || index < 0 || index >= list->size())
        return;
    list->value(index + 1);
    list->do_callback();
}

} // namespace plk
