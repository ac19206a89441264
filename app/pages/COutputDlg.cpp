#include "app/pages/COutputDlg.h"

#include <shlwapi.h>

#include "app/AppGlobals.h"
#include "app/OutputLocation.h"
#include "app/PageHost.h"
#include "app/PageMessage.h"
#include "app/pages/CEncoder.h"
#include "controls/CFolderDialog.h"
#include "engine/LogLevel.h"
#include "framework/CDataExchange.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(COutputDlg, CTabPage)
ON_BN_CLICKED(IDC_OUTPUT_STOP_MANUALLY, &COutputDlg::OnStopManually)
ON_BN_CLICKED(IDC_OUTPUT_STOP_AFTER, &COutputDlg::OnStopAfter)
ON_EN_CHANGE(IDC_OUTPUT_HOURS, &COutputDlg::ValidateStopTime)
ON_EN_CHANGE(IDC_OUTPUT_MINUTES, &COutputDlg::ValidateStopTime)
ON_EN_CHANGE(IDC_OUTPUT_SECONDS, &COutputDlg::ValidateStopTime)
ON_MESSAGE(WM_CHECK_STOP_TIME, &COutputDlg::OnCheckStopTime)
ON_BN_CLICKED(IDC_OUTPUT_ASK_FOLDER, &COutputDlg::OnAskFolder)
ON_BN_CLICKED(IDC_OUTPUT_SAVE_TO, &COutputDlg::OnSaveTo)
ON_BN_CLICKED(IDC_OUTPUT_BROWSE, &COutputDlg::OnBrowse)
ON_EN_CHANGE(IDC_OUTPUT_DEST_DIR, &COutputDlg::OnChangeDestDir)
ON_EN_CHANGE(IDC_OUTPUT_FILE_NAME, &COutputDlg::OnChangeFileName)
ON_BN_CLICKED(IDC_OUTPUT_ENCODER_SETTINGS, &COutputDlg::OnEncoderSettings)
ON_BN_CLICKED(IDC_OUTPUT_RESET_ALL, &COutputDlg::OnResetAll)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_STOP_MANUALLY, &COutputDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_STOP_AFTER, &COutputDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_ASK_FOLDER, &COutputDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_SAVE_TO, &COutputDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_ENCODER_SETTINGS, &COutputDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_RESET_ALL, &COutputDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_DEST_DIR, &COutputDlg::OnUpdateFolder)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_BROWSE, &COutputDlg::OnUpdateFolder)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_FILE_NAME, &COutputDlg::OnUpdateFolder)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_FILE_NAME_LABEL, &COutputDlg::OnUpdateFolder)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_HOURS, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_MINUTES, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_SECONDS, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_HOURS_SPIN, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_MINUTES_SPIN, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_SECONDS_SPIN, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_HOURS_LABEL, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_MINUTES_LABEL, &COutputDlg::OnUpdateStopTime)
ON_UPDATE_COMMAND_UI(IDC_OUTPUT_SECONDS_LABEL, &COutputDlg::OnUpdateStopTime)
END_MESSAGE_MAP()

void COutputDlg::DoDataExchange(CDataExchange* pDX)
{
    CTabPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OUTPUT_SECONDS_SPIN, m_spinSeconds);
    DDX_Control(pDX, IDC_OUTPUT_MINUTES_SPIN, m_spinMinutes);
    DDX_Control(pDX, IDC_OUTPUT_HOURS_SPIN, m_spinHours);
}

BOOL COutputDlg::OnInitDialog()
{
    CTabPage::OnInitDialog();
    m_bInitializing = 1;
    m_spinSeconds.SetBuddy(GetDlgItem(IDC_OUTPUT_SECONDS));
    m_spinSeconds.SetRange(0, StopTimeRule::kMaxSeconds);
    m_spinMinutes.SetBuddy(GetDlgItem(IDC_OUTPUT_MINUTES));
    m_spinMinutes.SetRange(0, StopTimeRule::kMaxMinutes);
    m_spinHours.SetBuddy(GetDlgItem(IDC_OUTPUT_HOURS));
    m_spinHours.SetRange(0, StopTimeRule::kMaxHours);
    ShowSettings();
    return TRUE;
}

void COutputDlg::ShowSettings()
{
    m_bInitializing = 1;
    ShowStopTime(StopTimeRule::Shown(g_settings));

    const BOOL autoStop = g_settings.bAutoStop != 0;
    if (PageHost* host = Host())
        host->LogEvent(autoStop ? L"Enable auto stop." : L"Disable auto stop.", LOG_INFO);
    CheckDlgButton(IDC_OUTPUT_STOP_AFTER, autoStop ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_OUTPUT_STOP_MANUALLY, autoStop ? BST_UNCHECKED : BST_CHECKED);
    m_bInitializing = 0;
    // The setting becomes what the spins show (a hand-edited file may hold more), checked once.
    CheckStopTimeNow();

    const BOOL toFolder = g_settings.nSaveLocation != 0;
    CheckDlgButton(IDC_OUTPUT_SAVE_TO, toFolder ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_OUTPUT_ASK_FOLDER, toFolder ? BST_UNCHECKED : BST_CHECKED);
    // Each raises its change handler, which stores the text back.
    const CString folder = g_settings.strDestDir;
    const CString name = g_settings.strFileName;
    SetDlgItemText(IDC_OUTPUT_DEST_DIR, folder);
    SetDlgItemText(IDC_OUTPUT_FILE_NAME, name);
}

StopTime COutputDlg::ShownStopTime() const
{
    // The 32-bit query: the 16-bit one carries an error flag in its high word.
    return {m_spinHours.GetPos32(), m_spinMinutes.GetPos32(), m_spinSeconds.GetPos32()};
}

void COutputDlg::ShowStopTime(const StopTime& t)
{
    const int32_t initializing = m_bInitializing;
    m_bInitializing = 1;
    m_spinSeconds.SetPos(t.seconds);
    m_spinMinutes.SetPos(t.minutes);
    m_spinHours.SetPos(t.hours);
    m_bInitializing = initializing;
}

int COutputDlg::ShowMessage(LPCWSTR text, UINT style)
{
    return PageMessage::Show(Host(), BoxOwner(), text, style);
}

void COutputDlg::OnStopManually()
{
    g_settings.bAutoStop = 0;
    UpdateControlStates();
}

void COutputDlg::OnStopAfter()
{
    g_settings.bAutoStop = 1;
    UpdateControlStates();
}

void COutputDlg::ValidateStopTime()
{
    if (m_bInitializing)
        return;
    bool tooShort = false;
    StopTimeRule::Store(StopTimeRule::Checked(ShownStopTime(), tooShort), g_settings);
    // A spin changes its buddy while it holds the mouse: a box opened from here would leave
    // it repeating behind the box. The check runs once the notification has returned.
    if (tooShort && !m_bCheckPosted)
    {
        m_bCheckPosted = 1;
        PostMessage(WM_CHECK_STOP_TIME, 0, 0);
    }
}

LRESULT COutputDlg::OnCheckStopTime(WPARAM, LPARAM)
{
    const HWND capture = ::GetCapture();
    if (capture && ::IsChild(m_hWnd, capture))
        ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
    CheckStopTimeNow();
    m_bCheckPosted = 0;
    return 0;
}

void COutputDlg::CheckStopTimeNow()
{
    bool tooShort = false;
    const StopTime t = StopTimeRule::Checked(ShownStopTime(), tooShort);
    if (tooShort)
    {
        // The spins are corrected only after the box: until then every change is ignored.
        m_bInitializing = 1;
        ShowMessage(L"Minimum Auto Stop Time is 1 Secs!", MB_ICONHAND);
        m_bInitializing = 0;
        ShowStopTime(t);
    }
    StopTimeRule::Store(t, g_settings);
}

void COutputDlg::OnAskFolder()
{
    g_settings.nSaveLocation = 0;
    UpdateControlStates();
    if (PageHost* host = Host())
        host->CheckFreeSpace(OutputLocation::FreeSpacePath(g_settings));
}

void COutputDlg::OnSaveTo()
{
    g_settings.nSaveLocation = 1;
    UpdateControlStates();
    if (PageHost* host = Host())
        host->CheckFreeSpace(OutputLocation::FreeSpacePath(g_settings));
}

void COutputDlg::OnBrowse()
{
    CFolderDialog dialog(L"Please select the destination directory", nullptr, this,
                         BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE);
    dialog.SetRootFolder(nullptr);
    if (::PathFileExistsW(g_settings.strDestDir))
        dialog.SetInitialFolder(g_settings.strDestDir);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_OUTPUT_DEST_DIR, dialog.GetFolderPath());
}

void COutputDlg::OnChangeDestDir()
{
    CString text;
    GetDlgItemText(IDC_OUTPUT_DEST_DIR, text);
    g_settings.strDestDir = OutputLocation::DestDirFromEdit(text);
    if (PageHost* host = Host())
        host->CheckFreeSpace(OutputLocation::FreeSpacePath(g_settings));
}

void COutputDlg::OnChangeFileName()
{
    GetDlgItemText(IDC_OUTPUT_FILE_NAME, g_settings.strFileName);
    if (g_settings.strFileName.IsEmpty())
        ShowMessage(L"Null Output File Name!", MB_ICONHAND);
}

void COutputDlg::OnEncoderSettings()
{
    CEncoder dialog(Host(), HostWindow());
    dialog.DoModal();
}

void COutputDlg::OnResetAll()
{
    if (ShowMessage(L"Reset ALL Options, Are You Sure?", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    ::DeleteFileW(GetSettingsPath());
    if (PageHost* host = Host())
        host->ReloadSettings();
}

void COutputDlg::OnUpdateFolder(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsRecording() && g_settings.nSaveLocation != 0);
}

void COutputDlg::OnUpdateStopTime(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsRecording() && IsDlgButtonChecked(IDC_OUTPUT_STOP_MANUALLY) != BST_CHECKED);
}
