// XDialog on FLTK: the window and its controls built from the template, and the modal loop.
#include "platform/dialog/XDialog.h"

#include "platform/dialog/DialogControl.h"
#include "platform/fs/Path.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/fl_ask.H>
#include <FL/Fl_Secret_Input.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <utility>

namespace plk
{
namespace
{

const char* const kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// Windows' dialog background, lighter than FLTK's own grey.
const unsigned char kBackgroundGrey = 240;

std::vector<XDialog*>& Registry()
{
    static std::vector<XDialog*> dialogs;
    return dialogs;
}

// FLTK ends the process when it cannot open the display itself; opening it here first lets a
// dialog fail politely instead.
bool OpenDisplay(std::string& error)
{
    static bool prepared = false;
    if (!prepared)
    {
        Display* display = XOpenDisplay(nullptr);
        if (!display)
        {
            const char* name = XDisplayName(nullptr);
            error = std::string("cannot open the X display \"") + (name ? name : "") + "\"";
            return false;
        }
        fl_open_display(display);
        // Dialogs are designed for Arial; fontconfig gives its metric twin where it is missing.
        Fl::set_font(FL_HELVETICA, "Arial");
        Fl::scheme("gtk+");
        Fl::background(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey);
        prepared = true;
    }
    return true;
}

// The default push button: Enter presses it, and a frame in the selection colour marks it.
class DefaultButton : public Fl_Button
{
public:
    DefaultButton(int x, int y, int w, int h) : Fl_Button(x, y, w, h) { shortcut(FL_Enter); }

protected:
    void draw() override
    {
        Fl_Button::draw();
        fl_color(active_r() ? FL_SELECTION_COLOR : FL_INACTIVE_COLOR);
        fl_rect(x(), y(), w(), h());
    }
};

void WindowCallback(Fl_Widget*, void* dialog)
{
    static_cast<XDialog*>(dialog)->NotifyClose();
}

Fl_Widget* CreateWidget(const DialogItem& item, int x, int y, int w, int h, int fontSize)
{
    Fl_Widget* widget = nullptr;
    switch (item.kind)
    {
    case ControlKind::kPushButton: widget = new Fl_Button(x, y, w, h); break;
    case ControlKind::kDefaultPushButton: widget = new DefaultButton(x, y, w, h); break;
    case ControlKind::kAutoCheckBox: widget = new Fl_Check_Button(x, y, w, h); break;
    case ControlKind::kCheckBox:
    {
        auto* box = new Fl_Check_Button(x, y, w, h);
        // A plain button's value springs back on release, so the click only notifies.
        box->type(FL_NORMAL_BUTTON);
        widget = box;
        break;
    }
    case ControlKind::kListBox:
    {
        auto* list = new Fl_Hold_Browser(x, y, w, h);
        list->has_scrollbar(Fl_Browser_::VERTICAL);
        // Entries are shown as given: no "@" formatting codes.
        list->format_char(0);
        list->textfont(FL_HELVETICA);
        list->textsize(fontSize);
        list->when(FL_WHEN_CHANGED);
        widget = list;
        break;
    }
    case ControlKind::kEditBox:
    case ControlKind::kPasswordBox:
    {
        Fl_Input* input = item.kind == ControlKind::kEditBox ? new Fl_Input(x, y, w, h) : new Fl_Secret_Input(x, y, w, h);
        input->textfont(FL_HELVETICA);
        input->textsize(fontSize);
        input->when(FL_WHEN_NEVER);
        widget = input;
        break;
    }
    case ControlKind::kGroupBox:
    {
        // The frame runs through the middle of the text line, the text sits on it.
        auto* frame = new Fl_Box(FL_ENGRAVED_FRAME, x, y + fontSize / 2, w, h - fontSize / 2, nullptr);
        frame->align(FL_ALIGN_TOP_LEFT);
        widget = frame;
        break;
    }
    case ControlKind::kStaticText:
    {
        auto* text = new Fl_Box(x, y, w, h);
        text->box(FL_NO_BOX);
        text->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
        widget = text;
        break;
    }
    case ControlKind::kPicture:
    {
        auto* picture = new Fl_Box(x, y, w, h);
        picture->box(FL_NO_BOX);
        picture->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
        widget = picture;
        break;
    }
    }
    widget->labelfont(FL_HELVETICA);
    widget->labelsize(fontSize);
    return widget;
}

} // namespace

XDialog::XDialog(DialogTemplate dialogTemplate) : m_template(std::move(dialogTemplate))
{
}

XDialog::~XDialog()
{
    Destroy();
}

void XDialog::OnCommand(int, int)
{
}

int XDialog::DoModal()
{
    m_error.clear();
    if (!OpenDisplay(m_error))
        return -1;
    Build();
    m_open = true;
    m_endCode = 0;
    if (!OnInitDialog())
    {
        m_open = false;
        Destroy();
        return 0;
    }
    m_window->show();
    while (m_open && m_window->shown())
    {
        if (m_steps.empty())
        {
            Fl::wait();
            continue;
        }
        // Lets the window draw what the previous step changed before the next acts on it.
        Fl::wait(0);
        std::function<void()> step = std::move(m_steps.front());
        m_steps.pop_front();
        step();
    }
    m_open = false;
    m_steps.clear();
    Destroy();
    return m_endCode;
}

void XDialog::EndDialog(int code)
{
    m_endCode = code;
    m_open = false;
    if (m_window)
        m_window->hide();
}

bool XDialog::SetIcon(const std::string& path)
{
    if (!m_window || fs::HasEmbeddedNul(path))
        return false;
    Fl_PNG_Image icon(fs::ResolvePath(path).c_str());
    if (icon.fail() != 0 || icon.w() <= 0 || icon.h() <= 0)
        return false;
    // The window keeps a copy.
    m_window->icon(&icon);
    return true;
}

void XDialog::StartTimer(unsigned intervalMs)
{
    StopTimer();
    m_timerSeconds = std::max(intervalMs, 1u) / 1000.0;
    Fl::add_timeout(m_timerSeconds, TimerCallback, this);
}

void XDialog::StopTimer()
{
    Fl::remove_timeout(TimerCallback, this);
    m_timerSeconds = 0.0;
}

void XDialog::TimerCallback(void* data)
{
    auto* dialog = static_cast<XDialog*>(data);
    if (!dialog->m_open || dialog->m_timerSeconds <= 0.0)
        return;
    Fl::repeat_timeout(dialog->m_timerSeconds, TimerCallback, dialog);
    dialog->OnTimer();
}

void XDialog::ShowErrorBox(const std::string& caption, const std::string& text)
{
    fl_message_title(caption.c_str());
    fl_message_hotspot(0);
    fl_alert("%s", text.c_str());
}

const std::vector<XDialog*>& XDialog::OpenDialogs()
{
    return Registry();
}

void XDialog::RunWhenShown(std::function<void()> step)
{
    m_steps.push_back(std::move(step));
}

DialogControl* XDialog::FindControl(int id) const
{
    if (!m_open || id == kNoControlId)
        return nullptr;
    for (const auto& control : m_controls)
    {
        if (control->id == id)
            return control.get();
    }
    return nullptr;
}

void XDialog::Build()
{
    Destroy();
    const int fontSize = PointsToPixels(m_template.fontPoints);
    fl_font(FL_HELVETICA, fontSize);
    m_baseUnits.x = AverageCharacterWidth(static_cast<int>(fl_width(kAlphabet) + 0.5));
    m_baseUnits.y = fl_height();
    const auto px = [this](int units) { return DialogUnitsToPixelsX(units, m_baseUnits); };
    const auto py = [this](int units) { return DialogUnitsToPixelsY(units, m_baseUnits); };

    const int width = px(m_template.width);
    const int height = py(m_template.height);
    Fl_Group::current(nullptr);
    m_window = std::make_unique<Fl_Double_Window>(width, height);
    m_window->copy_label(m_template.caption.c_str());
    m_window->set_modal();
    m_window->callback(WindowCallback, this);
    for (const DialogItem& item : m_template.items)
    {
        Fl_Widget* widget = CreateWidget(item, px(item.x), py(item.y), px(item.width), py(item.height), fontSize);
        auto control = std::make_unique<DialogControl>();
        control->dialog = this;
        control->id = item.id;
        control->kind = item.kind;
        control->widget = widget;
        if (!item.text.empty())
            SetControlText(*control, item.text);
        if (item.disabled)
            widget->deactivate();
        widget->callback(ControlCallback, control.get());
        m_controls.push_back(std::move(control));
    }
    m_window->end();
    Registry().push_back(this);

    int screenX = 0, screenY = 0, screenWidth = 0, screenHeight = 0;
    Fl::screen_work_area(screenX, screenY, screenWidth, screenHeight);
    m_window->position(screenX + (screenWidth - width) / 2, screenY + (screenHeight - height) / 2);
}

void XDialog::Destroy()
{
    StopTimer();
    auto& dialogs = Registry();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
    m_controls.clear();
    if (m_window)
    {
        m_window->hide();
        m_window.reset();
        // The window is gone from the screen only once the server has been told.
        Fl::flush();
    }
}

} // namespace plk
