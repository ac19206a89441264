// What the six pages of the main window share: the host they are created with, the main
// window's accelerators from any of their controls (the File page keys its own way), Esc
// and Enter ending nothing, and their controls' enabled state following the kick the main
// window sends them.
#pragma once

#include "framework/CCmdUI.h"
#include "framework/CDialog.h"

class PageHost;

class CTabPage : public CDialog
{
public:
    CTabPage() = default;

    // Creates the page inside pParent, working for host from its first message on.
    BOOL CreatePage(UINT nIDTemplate, CWnd* pParent, PageHost& host);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Runs the page's update handlers now: its controls' enabled state follows at once
    // what the page and the recording show.
    void UpdateControlStates();
    // Shows the settings again (after Reset ALL); a page without settings shows nothing.
    virtual void ShowSettings() {}

protected:
    PageHost* Host() const { return m_pHost; }
    // The main window, parent of the page's dialogs; null without a host.
    CWnd* HostWindow() const;
    // The owner of the page's message boxes: the main window, else the page.
    HWND BoxOwner() const;
    bool IsRecording() const;

    // The main window sends WM_KICKIDLE: the update handlers run.
    LRESULT OnKickIdle(WPARAM, LPARAM);
    // Enabled only while no recording runs.
    void OnUpdateWhileIdle(CCmdUI* pCmdUI);
    // Esc and Enter reach a page only when the filter lets them: nothing ends a page.
    void OnOK() override {}
    void OnCancel() override {}

    DECLARE_MESSAGE_MAP()

private:
    PageHost* m_pHost = nullptr;
};
