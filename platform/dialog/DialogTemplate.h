// Dialogs described as tables of controls placed in dialog units, the way resource templates
// describe them, and the conversion of those units to pixels.
#pragma once

#include <string>
#include <vector>

namespace plk
{

enum class ControlKind
{
    kPushButton,
    kDefaultPushButton, // Enter presses it wherever the focus is, unless a control uses the key
    kAutoCheckBox,      // toggles itself when clicked, then notifies
    kCheckBox,          // only notifies: the dialog decides its state
    kListBox,           // one selection, vertical scroll bar, border, entries in the order added
    kStaticText,        // left-aligned, wrapped at word breaks and cut at its bottom edge
    kEditBox,           // one line, scrolls sideways
    kPasswordBox,       // an edit box that shows dots
    kGroupBox,          // a frame with its text on the top edge
    kPicture,           // an image at its own size from the control's top left, cut at its edges
};

const int kNoControlId = -1;

struct DialogItem
{
    int id = kNoControlId;
    ControlKind kind = ControlKind::kStaticText;
    std::string text;
    // Dialog units: 4 across to the font's average character width, 8 down to its height.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool disabled = false;
};

struct DialogTemplate
{
    std::string caption;
    int width = 0; // dialog units
    int height = 0;
    int fontPoints = 8;
    // Created in this order, which is also the order Tab moves the focus in.
    std::vector<DialogItem> items;
};

// Pixels in 4 horizontal and 8 vertical dialog units: the dialog font's average character width
// and its height.
struct DialogBaseUnits
{
    int x = 0;
    int y = 0;
};

// Rounded to the nearest pixel, halves away from zero, as Windows lays templates out.
int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base);
int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base);
// The average character width Windows derives from the width of "A".."Z" and "a".."z" in a row.
int AverageCharacterWidth(int alphabetWidth);
// A font's pixel height at the 96 pixels per inch that dialog layouts assume.
int PointsToPixels(int points);

} // namespace plk
