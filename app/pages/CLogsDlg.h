// The Log page: the event log in colour, Clear, and the switch for the log file.
#pragma once

#include "app/pages/CTabPage.h"
#include "framework/CRichEditCtrl.h"

class CLogsDlg : public CTabPage
{
public:
    CLogsDlg() = default;

    BOOL OnInitDialog() override;
    void ShowSettings() override;
    // Appends text (the caller's line, with its line end) in colour and scrolls it into view.
    LRESULT AppendLogLine(CString text, COLORREF colour);

    CRichEditCtrl m_reLog;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnClear();
    void OnWriteLogFile();
    void OnUpdateClear(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
