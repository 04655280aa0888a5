// Wrappers of one control of an open XDialog each, found by id. Every operation does nothing (or
// answers empty) while the control is not attached or its dialog is not open.
#pragma once

#include <string>

namespace plk
{

class XDialog;
struct DialogControl;

class XControl
{
public:
    XControl() = default;
    virtual ~XControl() = default;

    // Looks the control up in the open dialog; false when it has no control with that id.
    bool Attach(XDialog& dialog, int id);
    bool IsId(int id) const { return m_id == id; }
    int GetId() const { return m_id; } // -1 until attached
    void Enable(bool enable);
    bool IsEnabled() const;
    // The player's click, or the key that presses the focused control: an automatic check box
    // toggles, then the dialog is notified. Tests and automation act through it.
    void Click();

protected:
    DialogControl* Control() const;

private:
    XDialog* m_dialog = nullptr;
    int m_id = -1;
};

class XCheckBox : public XControl
{
public:
    void Check() { Set(true); }
    void Set(bool checked);
    bool IsChecked() const;
    void Toggle() { Set(!IsChecked()); }
};

// Edit and password boxes, static texts, and the label of any other control.
class XTextControl : public XControl
{
public:
    std::string GetText() const;
    void SetText(const std::string& text);
};

// A button's text can change while the dialog is open.
class XButton : public XTextControl
{
};

using XEditBox = XTextControl;
using XStaticText = XTextControl;

class XPicture : public XControl
{
public:
    // Shows the BMP file at path (an in-program path); false, showing nothing, when it cannot be
    // read as one.
    bool LoadBitmap(const std::string& path);
    bool HasBitmap() const;
};

// Entries count from 0; -1 means none.
class XListBox : public XControl
{
public:
    void ResetContent();
    // Appends an entry; returns its index.
    int AddString(const std::string& text);
    int GetCount() const;
    // An index outside the list selects nothing, as a list box given one does.
    void SetCurSel(int index);
    int GetCurSel() const;
    std::string GetText(int index) const;
    // The player's selection of entry index: selected, then the dialog is notified if it changed.
    void Choose(int index);
};

} // namespace plk
