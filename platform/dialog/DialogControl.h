// What XDialog keeps of each control it built, shared by the dialog and the control wrappers.
// Inside platform/dialog only.
#pragma once

#include "platform/dialog/DialogTemplate.h"

#include <memory>
#include <string>

class Fl_Image;
class Fl_Widget;

namespace plk
{

class XDialog;

struct DialogControl
{
    XDialog* dialog = nullptr;
    int id = kNoControlId;
    ControlKind kind = ControlKind::kStaticText;
    Fl_Widget* widget = nullptr; // owned by the dialog's window
    // List boxes: the selected line the dialog last knew of, counted from 1 as the browser counts;
    // 0 = none.
    int selectedLine = 0;
    // Pictures: the image shown, kept as long as the control.
    std::shared_ptr<Fl_Image> image;
};

// The callback of every control: turns what the player did into the dialog's notification.
void ControlCallback(Fl_Widget* widget, void* control);
// The text of an edit box, or the label of any other control, shown as given.
void SetControlText(DialogControl& control, const std::string& text);
std::string GetControlText(const DialogControl& control);

} // namespace plk
