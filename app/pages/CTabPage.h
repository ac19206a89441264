// What the Log, Device, Recording, Output and Misc pages share: the main window's
// accelerators work from any of their controls, Esc and Enter end nothing, and their
// controls' enabled state follows the idle kick the main window sends them.
#pragma once

#include "framework/CCmdUI.h"
#include "framework/CDialog.h"

class CTabPage : public CDialog
{
public:
    CTabPage() = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Runs the page's update handlers now: its controls' enabled state follows at once
    // what the page and the recording show.
    void UpdateControlStates();

protected:
    // The main window sends WM_KICKIDLE: the update handlers run.
    LRESULT OnKickIdle(WPARAM, LPARAM);
    // Enabled only while no recording runs.
    void OnUpdateWhileIdle(CCmdUI* pCmdUI);
    // Esc and Enter reach a page only when the filter lets them: nothing ends a page.
    void OnOK() override {}
    void OnCancel() override {}

    DECLARE_MESSAGE_MAP()
};

// Whether the main window is recording (false before it exists).
bool IsMainWindowRecording();
