// Tip of the Day: one tip of the tips file beside the program, a bulb, a heading and the
// switch that shows it at start. Each showing starts at a random tip; "Next tip" (and
// Esc) steps through the file round and round; only OK closes it, and OK stores the
// switch. Without a tips file nothing is shown.
#pragma once

#include "app/TipReader.h"
#include "framework/CDialog.h"
#include "framework/CString.h"

class CDC;
class PageHost;

class CTipDlg : public CDialog
{
public:
    // host (may be null) logs a failure to store the switch.
    explicit CTipDlg(PageHost* host, CWnd* pParent = nullptr);
    ~CTipDlg() override = default;

    // IDOK at once, showing nothing, when the tips file could not be opened.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    // How many tips a showing steps past the first one read, from a random number: 1 to 11.
    static int StartSteps(int randomNumber) { return randomNumber % 11 + 1; }

    int m_bStartup = 1; // "Show tips on startup"
    CString m_strTip;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override { OnNextTip(); }
    void OnPaint();
    void OnNextTip();
    void OnStartupClicked();

    DECLARE_MESSAGE_MAP()

private:
    // The next tip into m_strTip, reporting a file that cannot be read.
    void ReadNextTip();
    // The heading and the tip; the full paint draws the frame's inside first.
    void DrawTip(CDC& dc, bool full);

    TipReader m_reader;
    PageHost* m_pHost;
};
