// The least dialog framework the installer needs: a dialog from a template,
// run modally with a message loop that offers every message to the dialog
// first (so it can swallow keys before the dialog manager sees them), or
// created modeless (tests). Handlers never let an exception out.
#pragma once

#include <windows.h>

#include <vector>

namespace win {

class Dialog {
public:
    Dialog(HINSTANCE instance, int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog and runs its message loop until EndDialog.
    INT_PTR DoModal(HWND owner = nullptr);
    // Creates the dialog without a loop; the caller pumps (ProcessMessage).
    bool Create(HWND owner = nullptr);
    void EndDialog(INT_PTR result);
    bool Ended() const { return ended_; }
    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    HINSTANCE Instance() const { return instance_; }

    // Hands `control`'s WM_COMMAND notifications and control-colour messages
    // back to it as reflected messages (common/reflected_messages.h) before
    // the dialog's own handlers see them.
    void ReflectNotifications(HWND control);

    // One turn of the modal loop for a message taken from the queue.
    void ProcessMessage(MSG& msg);
    // Processes every message already queued for this thread.
    void PumpPending();

protected:
    // Return true for the default focus handling.
    virtual bool OnInitDialog() { return true; }
    // A WM_COMMAND; return true when handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control) { return false; }
    // Any other message; return true and set `result` when handled. For the
    // WM_CTLCOLOR... messages `result` is the brush.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    // A queued message before the dialog manager sees it; true swallows it.
    virtual bool PreTranslateMessage(const MSG& msg) { return false; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Reflects(HWND control) const;

    HINSTANCE instance_;
    int templateId_;
    HWND hwnd_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = 0;
    std::vector<HWND> reflected_;
};

}  // namespace win
