#include "app/pages/CSoundDeviceDlg.h"

#include <new>

#include "app/ClipboardWriter.h"
#include "app/DeviceReport.h"
#include "app/PaDeviceReportSource.h"
#include "app/PageHost.h"
#include "controls/XMessageBox.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CSoundDeviceDlg, CDialog)
ON_BN_CLICKED(IDC_DEVICE_INFO_COPY, &CSoundDeviceDlg::OnCopyToClipboard)
END_MESSAGE_MAP()

CSoundDeviceDlg::CSoundDeviceDlg(CWnd* pParent, DeviceReportSource* source, const PageHost* host)
    : CDialog(IDD_DEVICE_INFO, pParent), m_ownSource(source ? nullptr : new PaDeviceReportSource),
      m_source(source ? source : m_ownSource.get()), m_pHost(host)
{
}

CSoundDeviceDlg::~CSoundDeviceDlg() = default;

void CSoundDeviceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEVICE_INFO_TEXT, m_richEdit);
}

BOOL CSoundDeviceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Over the main window, not over its menu or in the middle of the screen.
    CenterWindow();
    // A report of several devices runs far past the box's default 32K characters.
    m_richEdit.LimitText(0x7FFFFFFE);
    return TRUE;
}

void CSoundDeviceDlg::AppendReportLine(const CString& text, int colour)
{
    const CString line = L"    " + text + L"\r\n";
    const int linesBefore = m_richEdit.GetLineCount();
    m_richEdit.SetSel(m_richEdit.GetWindowTextLength(), -1);
    CHARFORMATW cf = {};
    cf.dwMask = CFM_COLOR;
    cf.dwEffects = 0;
    cf.crTextColor = DeviceReport::Colour(colour);
    m_richEdit.SetSelectionCharFormat(cf);
    m_richEdit.ReplaceSel(line, FALSE);
    m_richEdit.LineScroll(m_richEdit.GetLineCount() - linesBefore, 0);
}

void CSoundDeviceDlg::EnableControls(BOOL bEnable)
{
    if (CMenu* pSysMenu = GetSystemMenu(FALSE))
        pSysMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED));
    if (CWnd* pDiagnose = GetDlgItem(IDOK))
        pDiagnose->EnableWindow(bEnable);
    if (CWnd* pCancel = GetDlgItem(IDCANCEL))
        pCancel->EnableWindow(bEnable);
}

void CSoundDeviceDlg::OnDiagnose()
{
    const DeviceReport::Sink sink = [this](const CString& text, int colour)
    { AppendReportLine(text, colour); };
    if (IsHostRecording(m_pHost))
    {
        sink(L"Please stop recording first.", 0);
        return;
    }
    m_richEdit.SetWindowText(L"");
    try
    {
        const int count = m_source->DeviceCount();
        if (DeviceReport::ReportNoDevices(count, sink))
            return;
        EnableControls(FALSE);
        DeviceReport::ReportDevices(*m_source, static_cast<int16_t>(count), sink);
    }
    catch (const std::bad_alloc&)
    {
        XMessageBox(m_hWnd, L"An error occurred!", L"Quillmoth", MB_ICONSTOP);
    }
    EnableControls(TRUE);
    // Disabling the focused Diagnose took the focus away with it: without a focus the
    // keyboard (Esc, Enter, Tab) does nothing until a click.
    if (!::GetFocus())
        GotoDlgCtrl(GetDlgItem(IDOK));
}

void CSoundDeviceDlg::OnCopyToClipboard()
{
    CString text;
    m_richEdit.GetWindowText(text);
    ClipboardWriter().CopyText(m_hWnd, text);
}
