// Drives the program's pages from outside as a user would: controls found on their own
// page (control ids repeat between pages), clicks, spin arrows, typed text, list
// choices, and the modal windows the pages open.
#pragma once

#include <windows.h>

#include <string>

#include "tests/app_gui/RunningApp.h"

class PageDriver
{
public:
    explicit PageDriver(const RunningApp& app) : m_app(app) {}

    // The page that holds the control with this id (an id only that page uses).
    HWND Page(int uniqueId) const;
    HWND Item(HWND page, int id) const { return ::GetDlgItem(page, id); }

    // A click that returns once the program has handled it (no modal window may follow).
    void Click(HWND control) const;
    // A click that returns at once: for buttons that open a modal window.
    void ClickLater(HWND control) const;
    // One step of a spin's lower arrow, then waits until its buddy shows expected.
    bool SpinDownTo(HWND spin, HWND buddy, const std::wstring& expected) const;
    // Text as typed: the edit's change notification follows.
    void Type(HWND edit, const std::wstring& text) const;
    // A list row chosen as the user does: the selection, then its notification.
    void Choose(HWND page, int comboId, int row) const;
    std::wstring ComboRow(HWND combo, int row) const;
    int ComboCount(HWND combo) const { return static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0)); }
    int ComboSelection(HWND combo) const
    {
        return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    }
    bool IsChecked(HWND button) const { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Waits for the page to give the control this state, with the mouse still.
    bool WaitEnabled(HWND control, bool enabled, DWORD ms = 10000) const;

    // A visible top-level window of the program with this caption, other than the main
    // window; null when none came in time.
    HWND WaitForPopup(const std::wstring& caption, DWORD ms = 15000) const;
    bool WaitGone(HWND popup, DWORD ms = 15000) const;
    // How many visible top-level windows of the program have this caption, main window aside.
    int CountPopups(const std::wstring& caption) const;
    // The texts of a box's static controls, joined by new lines.
    std::wstring MessageText(HWND box) const;
    // Clicks the box's button with this caption ("OK", "&Yes", ...).
    bool PressButton(HWND box, const std::wstring& caption) const;

    // Selects a folder in the shell's folder browser as a click in its tree would.
    bool SelectFolder(HWND browser, const std::wstring& path) const;

    // Pure green pixels (lit segments) inside the control, as on screen now.
    int LitSegmentPixels(HWND control) const;
    void Shot(const std::wstring& name) const;

private:
    const RunningApp& m_app;
};
