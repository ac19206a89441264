#include "tools/gallery/CGalleryDlg.h"

#include <shellapi.h>

#include <cwchar>

#include "controls/CFolderDialog.h"
#include "controls/XMessageBox.h"
#include "tools/gallery/GalleryIds.h"

BEGIN_MESSAGE_MAP(CGalleryDlg, CDialog)
ON_COMMAND_RANGE(IDC_BOX_OK, IDC_BOX_SYSMODAL, &CGalleryDlg::OnBox)
ON_BN_CLICKED(IDC_FOLDER, &CGalleryDlg::OnFolder)
ON_BN_CLICKED(IDC_TRAY_ADD, &CGalleryDlg::OnTrayAdd)
ON_BN_CLICKED(IDC_TRAY_MODIFY, &CGalleryDlg::OnTrayModify)
ON_BN_CLICKED(IDC_TRAY_BALLOON, &CGalleryDlg::OnTrayBalloon)
ON_BN_CLICKED(IDC_TRAY_HIDE, &CGalleryDlg::OnTrayHide)
ON_BN_CLICKED(IDC_TRAY_REMOVE, &CGalleryDlg::OnTrayRemove)
ON_BN_CLICKED(IDC_TICK, &CGalleryDlg::OnTick)
ON_COMMAND_RANGE(ID_TRAY_EXIT, ID_TRAY_RESTORE, &CGalleryDlg::OnTrayCommand)
END_MESSAGE_MAP()

CGalleryDlg::CGalleryDlg() : CDialog(IDD_GALLERY) {}

CString CGalleryDlg::ElapsedText(int blocks)
{
    CString s;
    const int seconds = blocks / 10;
    s.Format(L"%02d:%02d:%02d.%d", seconds / 3600, seconds / 60 % 60, seconds % 60, blocks % 10);
    return s;
}

BOOL CGalleryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_time.SubclassDlgItem(IDC_TIME, this);
    m_levelLeft.SubclassDlgItem(IDC_LEVEL_L, this);
    m_levelRight.SubclassDlgItem(IDC_LEVEL_R, this);
    m_time.SetText(ElapsedText(837));
    m_levelLeft.SetText(L"-12");
    m_levelRight.SetText(L"   ");

    m_hintRed.SubclassDlgItem(IDC_HINT_RED, this);
    m_hintBlue.SubclassDlgItem(IDC_HINT_BLUE, this);
    m_hintPlain.SubclassDlgItem(IDC_HINT_PLAIN, this);
    // The two hints as a page shows them once a mixer is open; the third keeps the
    // default colours.
    m_hintRed.SetTextColor(RGB(255, 0, 0));
    m_hintBlue.SetTextColor(RGB(0, 0, 255));

    m_linkMail.SetURL(L"mailto:someone@example.com");
    m_linkSite.SubclassDlgItem(IDC_LINK_SITE, this);
    m_linkMail.SubclassDlgItem(IDC_LINK_MAIL, this);

    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GALLERY));
    SetIcon(hIcon, TRUE);
    SetIcon(hIcon, FALSE);
    m_tray.SetTargetWnd(this);

    // "--press <id>" clicks a button once the dialog runs (for screenshots).
    int argc = 0;
    if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc))
    {
        for (int i = 1; i + 1 < argc; ++i)
            if (::lstrcmpW(argv[i], L"--press") == 0)
            {
                ShowWindow(SW_SHOW);
                PostMessage(WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[i + 1])), 0);
            }
        ::LocalFree(argv);
    }
    return TRUE;
}

void CGalleryDlg::OnBox(UINT id)
{
    XMsgBoxParams p;
    InitMsgBoxParams(&p);
    const wchar_t* caption = L"Quillmoth";
    switch (id)
    {
    case IDC_BOX_OK:
        m_lastBoxResult = XMessageBox(m_hWnd, L"Please select ONE file First!", caption, 0x30);
        break;
    case IDC_BOX_YESNO:
        m_lastBoxResult = XMessageBox(m_hWnd, L"File NOT Found!  Remove It from the List?", caption, 0x34);
        break;
    case IDC_BOX_ALL:
        m_lastBoxResult =
            XMessageBox(m_hWnd, L"Overwrite the file?", caption,
                        MB_YESNOCANCEL | MB_ICONQUESTION | XMB_YES_TO_ALL | XMB_NO_TO_ALL | MB_HELP);
        break;
    case IDC_BOX_CUSTOM:
        wcscpy(p.customButtonsText, L"OK\nTroubleshooting");
        p.textColour = RGB(255, 0, 0);
        m_lastBoxResult =
            XMessageBox(m_hWnd,
                        L"A Serious Error Occurred, No Recording Device Found! If you are using Windows "
                        L"Vista or Windows 7, Click the Troubleshooting Button.",
                        caption, 0x50110, &p);
        break;
    case IDC_BOX_COUNTDOWN:
        p.countdownSeconds = 5;
        m_lastBoxResult =
            XMessageBox(m_hWnd, L"Closes by itself.", caption, MB_OKCANCEL | MB_ICONASTERISK, &p);
        break;
    case IDC_BOX_DISABLED:
        p.disabledSeconds = 3;
        m_lastBoxResult = XMessageBox(m_hWnd, L"Read this first.", caption, MB_OK | MB_ICONEXCLAMATION, &p);
        break;
    case IDC_BOX_DONTASK:
        p.answerKey = L"GalleryQuestion";
        m_lastBoxResult = XMessageBox(m_hWnd, L"Ask again next time?", caption,
                                      MB_YESNOCANCEL | MB_ICONQUESTION | XMB_CHECK_DONT_ASK, &p);
        break;
    case IDC_BOX_SYSMODAL:
        m_lastBoxResult = XMessageBox(m_hWnd, MAKEINTRESOURCEW(IDS_STANDARD_BOX), caption,
                                      MB_OK | MB_ICONHAND | MB_SYSTEMMODAL | XMB_SILENT);
        break;
    default:
        return;
    }
    CString s;
    s.Format(L"Result 0x%08X", static_cast<unsigned>(m_lastBoxResult));
    ShowStatus(s);
}

void CGalleryDlg::OnFolder()
{
    CString current;
    GetDlgItemText(IDC_FOLDER_PATH, current);
    CFolderDialog dlg(L"Destination folder", current.IsEmpty() ? nullptr : current.GetString(), this,
                      BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_VALIDATE | BIF_EDITBOX);
    if (dlg.DoModal() == IDOK)
        SetDlgItemText(IDC_FOLDER_PATH, dlg.GetFolderPath());
}

void CGalleryDlg::OnTrayAdd()
{
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GALLERY));
    const BOOL ok = m_tray.Create(nullptr, WM_TRAY_NOTIFY, L"Controls Gallery", hIcon, IDR_TRAYMENU, FALSE,
                                  L"The gallery is running.", L"Gallery Launched", NIIF_INFO, 10);
    m_tray.SetMenuDefaultItem(0, TRUE);
    ShowStatus(ok ? L"Tray icon added" : L"Tray icon not added");
}

void CGalleryDlg::OnTrayModify()
{
    // Toggles between the program's two tray states: idle and recording.
    m_trayRecording = !m_trayRecording;
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr),
                              MAKEINTRESOURCEW(m_trayRecording ? IDI_GALLERY_REC : IDI_GALLERY));
    const BOOL ok =
        m_tray.SetIcon(hIcon) && m_tray.SetTooltipText(m_trayRecording ? L"Recording" : L"Controls Gallery");
    ShowStatus(ok ? L"Tray icon changed" : L"Tray icon not changed");
}

void CGalleryDlg::OnTrayBalloon()
{
    ShowStatus(m_tray.ShowBalloon(L"A balloon from the gallery.", L"Balloon", NIIF_INFO, 5) ? L"Balloon shown"
                                                                                            : L"No balloon");
}

void CGalleryDlg::OnTrayHide()
{
    m_tray.MinimiseToTray(this);
    m_tray.SetMenuDefaultItem(ID_TRAY_RESTORE, FALSE);
}

void CGalleryDlg::OnTrayRemove()
{
    ShowStatus(m_tray.RemoveIcon() ? L"Tray icon removed" : L"Tray icon not removed");
}

void CGalleryDlg::OnTick()
{
    m_ticks += 1;
    m_time.SetText(ElapsedText(837 + m_ticks * 11));
    CString level;
    level.Format(L"-%02d", (12 + m_ticks) % 100);
    m_levelLeft.SetText(level);
    m_levelRight.SetText(m_ticks % 2 ? L"-03" : L"   ");
}

void CGalleryDlg::OnTrayCommand(UINT id)
{
    m_lastTrayCommand = id;
    if (id == ID_TRAY_RESTORE)
    {
        m_tray.MaximiseFromTray(this);
        m_tray.SetMenuDefaultItem(0, TRUE);
    }
    else if (id == ID_TRAY_EXIT)
    {
        EndDialog(IDCANCEL);
    }
}

void CGalleryDlg::ShowStatus(LPCWSTR text)
{
    SetDlgItemText(IDC_STATUS, text);
}
