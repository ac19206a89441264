#include "app/pages/CMiscDlg.h"

#include "app/AppGlobals.h"
#include "app/PageHost.h"
#include "resources/resource.h"

namespace
{
// In the order of the after-recording action's values.
const wchar_t* const kAfterRecordingRows[3] = {L" Do Nothing", L" Show MessageBox", L" Balloon Notification"};
} // namespace

BEGIN_MESSAGE_MAP(CMiscDlg, CTabPage)
ON_BN_CLICKED(IDC_MISC_CLOSE_TO_TRAY, &CMiscDlg::OnCloseToTray)
ON_BN_CLICKED(IDC_MISC_MINIMIZE_TO_TRAY, &CMiscDlg::OnMinimizeToTray)
ON_BN_CLICKED(IDC_MISC_MUTE, &CMiscDlg::OnMute)
ON_CBN_SELCHANGE(IDC_MISC_AFTER_RECORDING, &CMiscDlg::OnAfterRecording)
ON_BN_CLICKED(IDC_MISC_SHOW_AMPLITUDE, &CMiscDlg::OnShowAmplitude)
ON_UPDATE_COMMAND_UI(IDC_MISC_AFTER_RECORDING, &CMiscDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_MISC_MUTE, &CMiscDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_MISC_AFTER_LABEL, &CMiscDlg::OnUpdateWhileIdle)
END_MESSAGE_MAP()

BOOL CMiscDlg::OnInitDialog()
{
    CTabPage::OnInitDialog();
    ShowSettings();
    return TRUE;
}

void CMiscDlg::ShowSettings()
{
    // Emptied first: Reset ALL runs this again.
    SendDlgItemMessage(IDC_MISC_AFTER_RECORDING, CB_RESETCONTENT);
    for (const wchar_t* row : kAfterRecordingRows)
        SendDlgItemMessage(IDC_MISC_AFTER_RECORDING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    CheckDlgButton(IDC_MISC_CLOSE_TO_TRAY, g_settings.bCloseToTray ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_MISC_MINIMIZE_TO_TRAY, g_settings.bMinimizeToTray ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_MISC_MUTE, g_settings.bMuteWhileRecording ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessage(IDC_MISC_AFTER_RECORDING, CB_SETCURSEL,
                       static_cast<WPARAM>(static_cast<int>(g_settings.nActionAfterRecording)));
    CheckDlgButton(IDC_MISC_SHOW_AMPLITUDE, g_settings.bShowAmplitude ? BST_CHECKED : BST_UNCHECKED);
}

void CMiscDlg::OnCloseToTray()
{
    g_settings.bCloseToTray = IsTicked(IDC_MISC_CLOSE_TO_TRAY);
}

void CMiscDlg::OnMinimizeToTray()
{
    g_settings.bMinimizeToTray = IsTicked(IDC_MISC_MINIMIZE_TO_TRAY);
}

void CMiscDlg::OnMute()
{
    g_settings.bMuteWhileRecording = IsTicked(IDC_MISC_MUTE);
}

void CMiscDlg::OnAfterRecording()
{
    const int row = static_cast<int>(SendDlgItemMessage(IDC_MISC_AFTER_RECORDING, CB_GETCURSEL));
    if (row >= 0)
        g_settings.nActionAfterRecording = static_cast<int16_t>(row);
}

void CMiscDlg::OnShowAmplitude()
{
    g_settings.bShowAmplitude = IsTicked(IDC_MISC_SHOW_AMPLITUDE);
    PageHost* host = Host();
    if (!g_settings.bShowAmplitude && host)
        host->BlankLevelReadouts();
}
