// A modal dialog built from a DialogTemplate. Derived classes attach XControl wrappers to the
// controls in OnInitDialog and answer what the player does in OnCommand and OnClose.
#pragma once

#include "platform/dialog/DialogTemplate.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Fl_Double_Window;

namespace plk
{

struct DialogControl;

// The notifications OnCommand receives, numbered as Windows numbers them.
const int kNotifyClicked = 0;          // a button or check box was clicked or pressed with a key
const int kNotifySelectionChanged = 1; // the player selected another list entry

class XDialog
{
public:
    explicit XDialog(DialogTemplate dialogTemplate);
    virtual ~XDialog();
    XDialog(const XDialog&) = delete;
    XDialog& operator=(const XDialog&) = delete;

    // Builds the window centred on the screen, calls OnInitDialog and returns once EndDialog has
    // been called: the end code, 0 when OnInitDialog refused. -1, with the reason in Error(), when
    // no display can show the dialog.
    int DoModal();
    // Closes the dialog; DoModal returns code.
    void EndDialog(int code);
    // From the start of OnInitDialog until EndDialog.
    bool IsOpen() const { return m_open; }

    // Runs step inside the modal loop once the window is up, one step per pass of the loop, in the
    // order given; tests and automation play the player's part through it.
    void RunWhenShown(std::function<void()> step);

    // The window's icon from a PNG file (an in-program path); from OnInitDialog on. False when
    // the file cannot be read as one.
    bool SetIcon(const std::string& path);
    // Calls OnTimer every intervalMs while the dialog is open, until StopTimer.
    void StartTimer(unsigned intervalMs);
    void StopTimer();
    // A modal message box over the dialog with the error icon; returns when the player closes it.
    void ShowErrorBox(const std::string& caption, const std::string& text);

    // The dialogs whose window exists, in the order they were built.
    static const std::vector<XDialog*>& OpenDialogs();

    const DialogBaseUnits& BaseUnits() const { return m_baseUnits; }
    const std::string& Error() const { return m_error; }

    // For the control wrappers: the control with that id while the dialog is open, else null.
    DialogControl* FindControl(int id) const;
    // For the control glue: what the player did to a control.
    void Notify(int id, int notification) { OnCommand(id, notification); }
    void NotifyClose() { OnClose(); }

protected:
    // False ends the dialog at once.
    virtual bool OnInitDialog() { return true; }
    virtual void OnCommand(int id, int notification);
    // The window's close box or Escape. The base does nothing, so the dialog stays open.
    virtual void OnClose() {}
    virtual void OnTimer() {}

private:
    void Build();
    void Destroy();
    static void TimerCallback(void* dialog);

    DialogTemplate m_template;
    DialogBaseUnits m_baseUnits;
    std::unique_ptr<Fl_Double_Window> m_window;
    std::vector<std::unique_ptr<DialogControl>> m_controls;
    std::deque<std::function<void()>> m_steps;
    double m_timerSeconds = 0.0; // 0 while no timer runs
    bool m_open = false;
    int m_endCode = 0;
    std::string m_error;
};

} // namespace plk
