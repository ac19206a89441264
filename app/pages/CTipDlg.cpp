#include "app/pages/CTipDlg.h"

#include <cstdlib>

#include "app/AppGlobals.h"
#include "app/PageHost.h"
#include "app/SettingsFile.h"
#include "app/SettingsTable.h"
#include "app/TipPaintLayout.h"
#include "controls/CentreNextBox.h"
#include "engine/LogLevel.h"
#include "framework/CClientDC.h"
#include "framework/CDataExchange.h"
#include "framework/CFont.h"
#include "framework/CPaintDC.h"
#include "framework/CRect.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CTipDlg, CDialog)
ON_WM_PAINT()
ON_BN_CLICKED(IDCANCEL, &CTipDlg::OnNextTip)
ON_BN_CLICKED(IDC_TIP_STARTUP, &CTipDlg::OnStartupClicked)
END_MESSAGE_MAP()

namespace
{
CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// The control's window rectangle in the dialog's client coordinates.
CRect ControlRect(const CWnd& dlg, int id)
{
    CRect rect(0, 0, 0, 0);
    if (CWnd* pControl = dlg.GetDlgItem(id))
    {
        pControl->GetWindowRect(&rect);
        dlg.ScreenToClient(&rect);
    }
    return rect;
}
} // namespace

CTipDlg::CTipDlg(PageHost* host, CWnd* pParent) : CDialog(IDD_TIP, pParent), m_pHost(host)
{
    m_bStartup = SettingsFile(GetSettingsPath()).ReadInt(kTipSection, kTipKey, kTipDefault);
    // The program's folder as found at start: any length, where splitting the module's
    // path into fixed buffers would overflow for a deep folder.
    if (m_reader.Open(TipsFilePath(g_strProgramDir)))
        ReadNextTip();
    else
        m_strTip = LoadText(IDS_TIP_FILE_ABSENT);
}

INT_PTR CTipDlg::DoModal()
{
    if (!m_reader.IsOpen())
        return IDOK;
    return CDialog::DoModal();
}

void CTipDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_TIP_STARTUP, m_bStartup);
    // The hidden text area holds the tip it marks, for readers of the window's text.
    if (!pDX->m_bSaveAndValidate)
        SetDlgItemText(IDC_TIP_TEXT, m_strTip);
}

BOOL CTipDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    std::srand(::GetTickCount());
    for (int steps = StartSteps(std::rand()); steps > 0; --steps)
        OnNextTip();
    return TRUE;
}

void CTipDlg::ReadNextTip()
{
    switch (m_reader.ReadNextTip(m_strTip))
    {
    case TipReader::TipRead:
        break;
    case TipReader::NoTipLine:
        m_strTip = LoadText(IDS_TIP_FILE_ERROR);
        break;
    case TipReader::RewindFailed:
    {
        // Before the window exists the box belongs to the dialog's parent.
        HWND hOwner = m_hWnd ? m_hWnd : (m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
        const CentreNextBox centre(hOwner);
        ::MessageBoxW(hOwner, LoadText(IDS_TIP_FILE_ERROR), L"Quillmoth", MB_OK);
    }
    break;
    }
}

void CTipDlg::OnNextTip()
{
    ReadNextTip();
    UpdateData(FALSE);
    CClientDC dc(this);
    DrawTip(dc, false);
}

void CTipDlg::OnStartupClicked()
{
    CWnd* pCheck = GetDlgItem(IDC_TIP_STARTUP);
    m_bStartup = pCheck && pCheck->SendMessage(BM_GETCHECK) == BST_CHECKED ? 1 : 0;
}

void CTipDlg::OnOK()
{
    if (!SettingsFile(GetSettingsPath()).WriteInt(kTipSection, kTipKey, m_bStartup) && m_pHost)
        m_pHost->LogEvent(L"Error on saving settings!", LOG_WARNING);
    EndDialog(IDOK);
}

void CTipDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawTip(dc, true);
}

void CTipDlg::DrawTip(CDC& dc, bool full)
{
    const CRect frame = ControlRect(*this, IDC_TIP_FRAME);
    CRect tip = ControlRect(*this, IDC_TIP_TEXT);
    const CRect bulb = ControlRect(*this, IDC_TIP_BULB);
    const TipPaintLayout layout = TipPaintLayout::Compute(frame, tip, bulb);
    if (full)
    {
        dc.FillSolidRect(&frame, ::GetSysColor(COLOR_WINDOW));
        dc.FillSolidRect(&layout.band, ::GetSysColor(COLOR_BTNFACE));
        dc.FillSolidRect(&layout.shadow, ::GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(&layout.separator, ::GetSysColor(COLOR_BTNSHADOW));
        dc.SetBkColor(::GetSysColor(COLOR_WINDOW));
    }

    CFont headingFont;
    headingFont.CreateFont(22, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Tahoma");
    CFont tipFont;
    tipFont.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Tahoma");
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    const HGDIOBJ oldFont = dc.SelectObject(headingFont.GetSafeHandle());
    RECT heading = layout.heading;
    dc.DrawText(LoadText(IDS_TIP_HEADING), &heading, DT_SINGLELINE);

    dc.FillSolidRect(&tip, ::GetSysColor(COLOR_WINDOW));
    dc.SelectObject(tipFont.GetSafeHandle());
    dc.DrawText(m_strTip, &tip, DT_WORDBREAK);

    // The fonts go back out before they are deleted.
    dc.SelectObject(oldFont);
    dc.SetTextColor(oldColour);
    dc.SetBkMode(oldMode);
}
