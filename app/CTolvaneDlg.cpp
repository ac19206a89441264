#include "app/CTolvaneDlg.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdlib>

#include "app/AppFolders.h"
#include "app/AppGlobals.h"
#include "app/DeviceListing.h"
#include "app/EventLogFile.h"
#include "app/EventPresentation.h"
#include "app/FinishedRecording.h"
#include "app/FormatTables.h"
#include "app/FreeSpace.h"
#include "app/KeyFilters.h"
#include "app/OutputLocation.h"
#include "app/PageMessage.h"
#include "app/RecordedFilesFile.h"
#include "app/RecordingReadouts.h"
#include "app/SettingsFile.h"
#include "app/SettingsTable.h"
#include "app/TaskbarButton.h"
#include "app/pages/CAboutDlg.h"
#include "app/pages/CTipDlg.h"
#include "controls/XMessageBox.h"
#include "engine/FileNaming.h"
#include "engine/Mp3EncoderConfig.h"
#include "framework/CCmdUI.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "framework/CPaintDC.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"

namespace
{
constexpr UINT kStartTimer = 1;
// While a Record waits for the last recording's threads to end.
constexpr UINT kWaitingRecordTimer = 2;
constexpr UINT kWaitingRecordMs = 20;
constexpr int kStatusHeight = 25;
// The pages sit at this place in the tab control, at their template's size.
constexpr int kPageX = 5;
constexpr int kPageY = 30;

struct ToolButton
{
    UINT command;
    int image;
};
const ToolButton kToolButtons[7] = {{ID_FORMAT, 0}, {ID_RECORD, 1},   {ID_PAUSE_RESUME, 2},
                                    {ID_STOP, 3},   {ID_DOWNLOAD, 4}, {ID_HELP_CONTENTS, 5},
                                    {ID_ABOUT, 6}};
// The toolbar's image list; the first button shows the image of the output format.
const UINT kToolIcons[9] = {IDI_FORMAT_MP3, IDI_RECORD, IDI_PAUSE,      IDI_STOP,      IDI_DOWNLOAD,
                            IDI_HELP,       IDI_ABOUT,  IDI_FORMAT_WAV, IDI_FORMAT_OGG};

// Each output format's menu command and its image in kToolIcons.
struct FormatButton
{
    OutputFormatKind format;
    UINT command;
    int image;
};
const FormatButton kFormatButtons[3] = {
    {FORMAT_WAV, ID_FORMAT_WAV, 7}, {FORMAT_MP3, ID_FORMAT_MP3, 0}, {FORMAT_OGG, ID_FORMAT_OGG, 8}};

const FormatButton* FormatButtonOf(int format)
{
    for (const FormatButton& button : kFormatButtons)
        if (button.format == format)
            return &button;
    return nullptr;
}

const FormatButton* FormatButtonOfCommand(UINT command)
{
    for (const FormatButton& button : kFormatButtons)
        if (button.command == command)
            return &button;
    return nullptr;
}

HICON LoadIconSized(UINT id, int size)
{
    return static_cast<HICON>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// The maker's pages; the program opens them with the shell.
LPCWSTR WebAddress(UINT nID)
{
    switch (nID)
    {
    case ID_DOWNLOAD:
        return L"https://www.quillmoth.example/kestrix/download.html";
    case ID_EMAIL_SUPPORT:
        return L"mailto:support@quillmoth.example";
    case ID_ONLINE_SUPPORT:
        return L"https://www.quillmoth.example/contact.html";
    default:
        return L"https://www.quillmoth.example/";
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CTolvaneDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_MESSAGE(WM_ACTIVATE, &CTolvaneDlg::OnActivateMessage)
ON_MESSAGE(WM_SETFOCUS, &CTolvaneDlg::OnSetFocusMessage)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND(ID_EXIT, &CTolvaneDlg::OnExit)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND(ID_ABOUT, &CTolvaneDlg::OnAbout)
ON_COMMAND(ID_PAUSE_RESUME, &CTolvaneDlg::OnPauseResume)
ON_COMMAND(ID_STOP, &CTolvaneDlg::OnStop)
ON_COMMAND(ID_RECORD, &CTolvaneDlg::OnRecord)
ON_COMMAND_RANGE(ID_FORMAT_MP3, ID_FORMAT_MP3, &CTolvaneDlg::OnFormat)
ON_COMMAND(ID_HELP_CONTENTS, &CTolvaneDlg::OnHelpContents)
ON_COMMAND(ID_RESTORE, &CTolvaneDlg::OnTrayRestore)
ON_COMMAND_RANGE(ID_DOWNLOAD, ID_EMAIL_SUPPORT, &CTolvaneDlg::OnWebCommand)
ON_COMMAND_RANGE(ID_ONLINE_SUPPORT, ID_ONLINE_SUPPORT, &CTolvaneDlg::OnWebCommand)
ON_WM_QUERYENDSESSION()
ON_WM_ENDSESSION()
ON_COMMAND(ID_PREV_TOOL, &CTolvaneDlg::OnPrevTool)
ON_COMMAND(ID_NEXT_TOOL, &CTolvaneDlg::OnNextTool)
ON_COMMAND_RANGE(ID_FORMAT_WAV, ID_FORMAT_WAV, &CTolvaneDlg::OnFormat)
ON_NOTIFY(TCN_SELCHANGE, IDC_MAIN_TAB, &CTolvaneDlg::OnTabSelChange)
ON_COMMAND_RANGE(ID_DEVICE_FIRST, ID_DEVICE_LAST, &CTolvaneDlg::OnSelectDevice)
ON_MESSAGE(WM_KICKIDLE, &CTolvaneDlg::OnKickIdle)
ON_COMMAND_RANGE(ID_TOOL_LOG, ID_TOOL_LOG, &CTolvaneDlg::OnToolPage)
ON_COMMAND_RANGE(ID_TOOL_DEVICE, ID_TOOL_DEVICE, &CTolvaneDlg::OnToolPage)
ON_COMMAND_RANGE(ID_TOOL_RECORDING, ID_TOOL_RECORDING, &CTolvaneDlg::OnToolPage)
ON_COMMAND_RANGE(ID_TOOL_OUTPUT, ID_TOOL_OUTPUT, &CTolvaneDlg::OnToolPage)
ON_COMMAND_RANGE(ID_TOOL_FILE, ID_TOOL_FILE, &CTolvaneDlg::OnToolPage)
ON_COMMAND_RANGE(ID_TOOL_MISC, ID_TOOL_MISC, &CTolvaneDlg::OnToolPage)
ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFFFFFF, &CTolvaneDlg::OnToolTipNotify)
ON_UPDATE_COMMAND_UI(ID_FORMAT_WAV, &CTolvaneDlg::OnUpdateFormat)
ON_UPDATE_COMMAND_UI(ID_FORMAT_MP3, &CTolvaneDlg::OnUpdateFormat)
ON_COMMAND(ID_TIP_OF_THE_DAY, &CTolvaneDlg::OnTipOfTheDay)
ON_COMMAND_RANGE(ID_MORE_FORMATS, ID_MORE_FORMATS, &CTolvaneDlg::OnWebCommand)
ON_COMMAND(ID_FORMAT, &CTolvaneDlg::OnFormatDropDown)
ON_COMMAND_RANGE(ID_FORMAT_OGG, ID_FORMAT_OGG, &CTolvaneDlg::OnFormat)
ON_UPDATE_COMMAND_UI(ID_FORMAT_OGG, &CTolvaneDlg::OnUpdateFormat)
END_MESSAGE_MAP()

CTolvaneDlg::CTolvaneDlg(CWnd* pParent)
    : CDialog(IDD_MAIN, pParent), m_pages{{&m_logsDlg, L"Log", IDD_LOG, ID_TOOL_LOG, true},
                                          {&m_devDlg, L"Device", IDD_DEVICE, ID_TOOL_DEVICE, true},
                                          {&m_recDlg, L"Recording", IDD_RECORDING, ID_TOOL_RECORDING, true},
                                          {&m_outputDlg, L"Output", IDD_OUTPUT, ID_TOOL_OUTPUT, true},
                                          {&m_filesDlg, L"File", IDD_FILE, ID_TOOL_FILE, false},
                                          {&m_miscDlg, L"Misc", IDD_MISC, ID_TOOL_MISC, true}},
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM))),
      m_hAccel(::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_ACCELERATORS)))
{
}

CTolvaneDlg::~CTolvaneDlg()
{
    // The recording threads report to this window: they end first.
    m_pSession.reset();
}

void CTolvaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAIN_TAB, m_tabCtrl);
    DDX_Control(pDX, IDC_MAIN_TIME, m_stTime);
    DDX_Control(pDX, IDC_MAIN_LEFT_LEVEL, m_stLeftLevel);
    DDX_Control(pDX, IDC_MAIN_RIGHT_LEVEL, m_stRightLevel);
    DDX_Control(pDX, IDC_MAIN_PROGRESS, m_progress);
}

// ---------------------------------------------------------------- start-up

BOOL CTolvaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CString aboutText;
    if (aboutText.LoadString(IDS_ABOUTBOX) && !aboutText.IsEmpty())
    {
        if (CMenu* pSysMenu = GetSystemMenu(FALSE))
        {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // The taskbar button's progress and overlay exist from Windows 7 on.
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&version);
#pragma GCC diagnostic pop
    if (version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion > 0))
    {
        g_bComInitialized = SUCCEEDED(::CoInitialize(nullptr));
        if (g_bComInitialized &&
            FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_ALL, IID_ITaskbarList3,
                                      reinterpret_cast<void**>(&g_pTaskbarList))))
            g_pTaskbarList = nullptr;
    }

    // A half-built window must not run on: its exit would save defaults over the
    // user's settings. End at once, saving nothing.
    if (!CreateStatusBar() || !CreateToolBar())
    {
        EndDialog(-1);
        return FALSE;
    }
    if (CMenu* pMenu = GetMenu())
    {
        if (CMenu* pFileMenu = pMenu->GetSubMenu(0))
            pFileMenu->RemoveMenu(ID_FORMAT, MF_BYCOMMAND);
        DrawMenuBar();
    }

    g_formatTable.ResetFormatCapabilities();
    m_progress.SetRange(0, 1000);
    m_progress.SetPos(1000);

    g_strProgramDir = GetProgramDir();
    g_settings.strDestDir = GetDefaultDestDir();
    m_pFileList = &m_filesDlg.m_list;

    g_strDataDir = GetUserDataFolder();
    // A system without an application-data folder: the program's own folder, never a
    // drive's root.
    if (g_strDataDir.IsEmpty())
        g_strDataDir = g_strProgramDir;
    if (!::PathIsDirectoryW(g_strDataDir) && !CreateDirectoryPath(g_strDataDir))
    {
        CString text;
        text.Format(L"Fail to create folder %s !!", g_strDataDir.GetString());
        ShowMessage(text, MB_OK);
    }
    SettingsFile settingsFile(GetSettingsPath());
    if (settingsFile.Exists())
        LoadSettings();
    else
        settingsFile.CreateEmpty();

    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const CString startLine = EventLogFile::FormatStartLine(now);
    if (g_settings.bWriteLogFile)
        EventLogFile(GetLogFilePath()).WriteBanner(startLine);
    // Lines logged while the settings loaded belong after this run's banner.
    m_bLogFileReady = TRUE;
    for (const auto& line : m_pendingFileLines)
        if (g_settings.bWriteLogFile)
            EventLogFile(GetLogFilePath()).AppendEvent(line.first, line.second);
    m_pendingFileLines.clear();

    CreatePages();
    LogEvent(L"Initializing main dialog...", LOG_NOTE);

    // The recording session holds the sample ring; without a usable device its format
    // table stays empty and Record refuses.
    m_pSession.reset(new RecordingSession(m_hWnd, *this));
    m_bStarted = TRUE;
    if (!InitAudioDevices())
    {
        KickPages();
        return FALSE;
    }

    std::srand(::GetTickCount());
    CreateTrayIcon(startLine);

    UpdateFormatDescription();
    SetIdleState();
    m_stTime.SetText(L"           ");
    BlankLevelReadouts();
    SetTimer(kStartTimer, 1000);

    CRect bar;
    GetClientRect(&bar);
    m_wndStatusBar.MoveWindow(0, bar.Height() - kStatusHeight, bar.Width(), kStatusHeight);
    m_wndStatusBar.GetClientRect(&bar);
    int parts[3] = {static_cast<int>(bar.Width() * 0.35), static_cast<int>(bar.Width() * 0.65), -1};
    m_wndStatusBar.SetParts(3, parts);
    UpdateFormatButton();

    CheckFreeSpace(g_settings.nSaveLocation ? g_settings.strDestDir : CString(L"C:\\"));
    LogEvent(L"Finished Initialization.", LOG_NOTE);
    // The pages show their controls' state from the start, not from the tenth idle pass.
    KickPages();
    // The focus starts on the tabs: the dialog manager would put it into the log and
    // select all of its text.
    m_tabCtrl.SetFocus();
    return FALSE;
}

BOOL CTolvaneDlg::CreateStatusBar()
{
    static const UINT indicators[3] = {IDS_INDICATOR_EVENT, IDS_INDICATOR_STATUS, IDS_INDICATOR_FORMAT};
    if (!m_wndStatusBar.CreateEx(this, SBARS_TOOLTIPS, WS_CHILD | WS_VISIBLE | CCS_BOTTOM,
                                 AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 3))
    {
        ShowMessage(L"Failed to create status bar!", MB_OK);
        return FALSE;
    }
    m_wndStatusBar.SetPaneInfo(0, IDS_INDICATOR_EVENT, SBPS_STRETCH, 25);
    m_wndStatusBar.SetPaneInfo(1, IDS_INDICATOR_STATUS, SBPS_NORMAL, 25);
    m_wndStatusBar.SetPaneInfo(2, IDS_INDICATOR_FORMAT, SBPS_NORMAL, 25);
    return TRUE;
}

BOOL CTolvaneDlg::CreateToolBar()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS,
                               WS_CHILD | WS_VISIBLE | CCS_TOP | CCS_NODIVIDER | CCS_NORESIZE |
                                   CCS_NOPARENTALIGN,
                               AFX_IDW_TOOLBAR))
    {
        ShowMessage(L"Failed to create toolbar!", MB_OK);
        return FALSE;
    }
    m_toolImages.Create(48, 48, ILC_COLOR32 | ILC_MASK, 8, 2);
    for (UINT id : kToolIcons)
    {
        HICON icon = LoadIconSized(id, 48);
        m_toolImages.Add(icon);
        if (icon)
            ::DestroyIcon(icon);
    }
    m_wndToolBar.SetImageList(&m_toolImages);
    TBBUTTON buttons[7] = {};
    for (int i = 0; i < 7; ++i)
    {
        buttons[i].iBitmap = kToolButtons[i].image;
        buttons[i].idCommand = static_cast<int>(kToolButtons[i].command);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    m_wndToolBar.AddButtons(7, buttons);
    m_wndToolBar.SetBitmapSize(CSize(48, 48));
    CRect first;
    m_wndToolBar.GetItemRect(0, &first);
    m_wndToolBar.SetButtonSize(CSize(first.Width(), first.Height()));
    // Commands and tooltips come here, not to the rebar that holds the toolbar.
    m_wndToolBar.SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(m_hWnd));

    CRect rect(0, 0, 0, 0);
    if (!m_wndReBar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_AUTOSIZE |
                               RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                           rect, this, AFX_IDW_REBAR))
    {
        ShowMessage(L"Failed to create toolbar!", MB_OK);
        return FALSE;
    }
    SIZE maxSize = {0, 0};
    m_wndToolBar.GetMaxSize(&maxSize);
    REBARBANDINFOW band = {};
    band.cbSize = REBARBANDINFOW_V6_SIZE;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_ID;
    band.fStyle = RBBS_BREAK | RBBS_NOGRIPPER | RBBS_USECHEVRON;
    band.hwndChild = m_wndToolBar.m_hWnd;
    band.cxMinChild = maxSize.cy;
    band.cyMinChild = maxSize.cy;
    band.cx = maxSize.cx;
    band.cxIdeal = maxSize.cx;
    band.wID = 0;
    m_wndReBar.InsertBand(0, &band);
    for (int i = 0; i < 7; ++i)
        m_wndToolBar.SetButtonInfo(i, kToolButtons[i].command, 0x104, kToolButtons[i].image);
    return TRUE;
}

void CTolvaneDlg::CreatePages()
{
    for (int i = 0; i < kPageCount; ++i)
    {
        const PageSlot& slot = m_pages[i];
        m_tabCtrl.InsertItem(i, slot.title);
        slot.page->CreatePage(slot.idd, &m_tabCtrl, *this);
        slot.page->SetWindowPos(nullptr, kPageX, kPageY, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | (i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (slot.page == &m_logsDlg)
        {
            // What was logged before the Log page existed comes first.
            for (const auto& line : m_pendingLines)
                m_logsDlg.AppendLogLine(line.first, line.second);
            m_pendingLines.clear();
        }
    }
    m_tabCtrl.SetCurSel(0);
    // Tab moves on from the window's own controls into the page on show.
    m_tabCtrl.ModifyStyleEx(0, WS_EX_CONTROLPARENT);
}

BOOL CTolvaneDlg::InitAudioDevices()
{
    try
    {
        LogEvent(L"Initializing audio devices...", LOG_NOTE);
        m_audio.emplace();
        if (m_audio->GetError() != paNoError)
        {
            ReportStreamError(m_audio->GetError());
            return FALSE;
        }
        const int count = Pa_GetDeviceCount();
        if (count < 0)
        {
            ReportStreamError(count);
            return FALSE;
        }
        if (count == 0)
        {
            ShowMessage(L"Warning: No Device Found !", MB_ICONSTOP);
            LogEvent(L"Warning: No Device Found !", LOG_ERROR);
            m_devDlg.OpenDeviceMixer();
            return TRUE;
        }
        CMenu* pDeviceMenu = GetDeviceMenu();
        int playback = 0;
        int recording = 0;
        std::vector<int> itemData;
        for (int i = 0; i < count; ++i)
        {
            const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
            if (!info)
                continue;
            if (info->maxOutputChannels > 0)
                ++playback;
            if (info->maxInputChannels <= 0)
                continue;
            ++recording;
            if (static_cast<int>(itemData.size()) >= DeviceListing::kMaxDevices)
                continue;
            const CString name = DeviceListing::CleanName(AnsiToCString(info->name));
            const int entry = m_devDlg.m_cbDevice.AddString(L" " + name);
            m_devDlg.m_cbDevice.SetItemData(entry, static_cast<DWORD_PTR>(i));
            itemData.push_back(i);
            if (pDeviceMenu)
                pDeviceMenu->AppendMenu(
                    MF_STRING, DeviceListing::kFirstCommand + static_cast<UINT>(itemData.size()) - 1, name);
        }
        CString found;
        found.Format(L"Found %d sound devices,  %d for recording,  %d for playback.", count, recording,
                     playback);
        LogEvent(found, LOG_NOTE);

        const int chosen =
            DeviceListing::ChooseEntry(g_settings.nInputDevice, itemData, Pa_GetDefaultInputDevice());
        if (itemData.empty())
        {
            XMsgBoxParams params;
            InitMsgBoxParams(&params);
            wcscpy(params.customButtonsText, L"OK\nTroubleshooting");
            params.textColour = RGB(255, 0, 0);
            const int answer = XMessageBox(
                m_hWnd,
                L"A Serious Error Occurred, No Recording Device Found! If you are using Windows Vista "
                L"or Windows 7, Click the Troubleshooting Button.",
                L"Quillmoth", 0x50110, &params);
            if ((answer & 0xFF) == XMB_ID_CUSTOM2)
            {
                ::ShellExecuteW(nullptr, L"OPEN", L"rundll32.exe", L"shell32.dll Control_RunDLL mmsys.cpl @1",
                                nullptr, SW_SHOW);
                ::ShellExecuteW(nullptr, L"open", L"https://www.quillmoth.example/troubleshooting.html",
                                nullptr, nullptr, SW_SHOWNORMAL);
            }
            m_devDlg.OpenDeviceMixer();
            return TRUE;
        }
        m_devDlg.m_cbDevice.SetCurSel(chosen);
        if (pDeviceMenu)
        {
            pDeviceMenu->DeleteMenu(0, MF_BYPOSITION);
            if (chosen >= 0)
                pDeviceMenu->CheckMenuRadioItem(
                    DeviceListing::kFirstCommand,
                    DeviceListing::kFirstCommand + static_cast<UINT>(itemData.size()) - 1,
                    DeviceListing::kFirstCommand + static_cast<UINT>(chosen), MF_BYCOMMAND);
        }
        m_devDlg.OpenDeviceMixer(FALSE);
        return TRUE;
    }
    catch (...)
    {
        m_audio.reset();
        ShowMessage(L"Error on Initializing Audio Devices!", MB_ICONSTOP);
        LogEvent(L"Error on initializing audio devices!", LOG_ERROR);
        ReportStreamError(paNoError);
        return FALSE;
    }
}

void CTolvaneDlg::CreateTrayIcon(const CString& startLine)
{
    // At logon the taskbar may not exist yet; the tray adds the icon once it does.
    m_bTrayIcon = m_trayIcon.Create(nullptr, WM_TRAY_NOTIFY, L"", m_hIcon, IDR_TRAY_MENU, FALSE, startLine,
                                    L"Quillmoth Launched", NIIF_INFO, 10);
    if (!m_bTrayIcon)
    {
        LogEvent(L"The notification-area icon could not be added.", LOG_WARNING);
        return;
    }
    m_trayIcon.SetTargetWnd(this);
    m_trayIcon.SetMenuDefaultItem(0, TRUE);
}

// ---------------------------------------------------------------- events and status

void CTolvaneDlg::LogEvent(const CString& text, int level)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const CString stamp = EventLogFile::FormatStamp(now);
    SetStatusText(STATUS_LAST_EVENT, stamp + text);
    if (!m_bLogFileReady)
        m_pendingFileLines.emplace_back(stamp, text);
    else if (g_settings.bWriteLogFile)
        EventLogFile(GetLogFilePath()).AppendEvent(stamp, text);
    COLORREF colour;
    if (EventPresentation::LineColour(level, colour))
    {
        const CString line = stamp + L" " + text + L"\r\n";
        if (m_logsDlg.m_hWnd)
            m_logsDlg.AppendLogLine(line, colour);
        else
            m_pendingLines.emplace_back(line, colour);
    }
    if (level > 0)
        TaskbarButton(m_hWnd).SetProgressState(TBPF_ERROR);
}

void CTolvaneDlg::SetStatusText(int kind, const CString& text)
{
    int pane;
    CString shown;
    CString tip;
    if (!m_wndStatusBar.m_hWnd || !EventPresentation::StatusPane(kind, text, pane, shown, tip))
        return;
    m_wndStatusBar.SetPaneText(pane, shown, TRUE);
    m_wndStatusBar.SetTipText(pane, tip);
}

void CTolvaneDlg::ReportStreamError(PaError error)
{
    m_audio.reset();
    LogEvent(L"An error occurred while using the stream.", LOG_WARNING);
    LogEvent(AudioLibrary::ErrorText(error), LOG_WARNING);
}

void CTolvaneDlg::ReportDamagedFileList(const RecordedFilesFile& file)
{
    LogEvent(L"An error occurred while loading the output files.", LOG_WARNING);
    CString kept;
    if (file.KeepDamagedCopy(kept))
        LogEvent(L"The unreadable list was kept as " + kept, LOG_WARNING);
    else
        m_bListDamaged = TRUE; // keep it from being overwritten at exit
    ShowMessage(L"An Error Occurred While Loading the Output Files.", MB_ICONHAND);
}

int CTolvaneDlg::ShowMessage(LPCWSTR text, UINT style)
{
    return PageMessage::Show(this, m_hWnd, text, style);
}

void CTolvaneDlg::CheckFreeSpace(const CString& path)
{
    const FreeSpaceReport report = CheckFreeSpaceOf(path);
    if (!report.strWarning.IsEmpty())
        LogEvent(report.strWarning, LOG_ERROR);
    SetStatusText(STATUS_CURRENT, report.strStatus);
}

// ---------------------------------------------------------------- settings

BOOL CTolvaneDlg::LoadSettings()
{
    SettingsFile::Utf16Result made = SettingsFile::Utf16Result::Ready;
    BOOL loaded = FALSE;
    try
    {
        loaded = SettingsFile(GetSettingsPath()).Load(g_settings, GetDefaultDestDir(), &made);
    }
    catch (...)
    {
        loaded = FALSE;
    }
    if (!loaded)
    {
        LogEvent(L"Error on loading settings!", LOG_WARNING);
        if (made == SettingsFile::Utf16Result::NotText)
            LogEvent(L"Config.ini is not text the program can read; it was left as it is.", LOG_WARNING);
        ShowMessage(L"Error on loading settings!", MB_ICONHAND);
        return FALSE;
    }
    if (made == SettingsFile::Utf16Result::Failed)
        LogEvent(L"Config.ini could not be rewritten in UTF-16; it was read as it is.", LOG_WARNING);
    LogEvent(L"Quillmoth settings loaded.", LOG_INFO);
    return TRUE;
}

BOOL CTolvaneDlg::SaveSettings()
{
    BOOL saved = FALSE;
    try
    {
        saved = SettingsFile(GetSettingsPath()).Save(g_settings);
    }
    catch (...)
    {
        saved = FALSE;
    }
    if (!saved)
    {
        LogEvent(L"Error on saving settings!", LOG_WARNING);
        ShowMessage(L"Error on saving settings!", MB_ICONHAND);
    }
    return saved;
}

// ---------------------------------------------------------------- read-outs

void CTolvaneDlg::UpdateFormatDescription()
{
    const CString text = RecordingReadouts::FormatDescription(g_settings);
    if (!text.IsEmpty())
        SetStatusText(STATUS_OUTPUT_FORMAT, text);
    g_formatTable.ResetFormatCapabilities();
    UpdateFormatButton();
    // What the Recording page offers follows the format at once.
    KickPages();
}
void CTolvaneDlg::UpdateFormatButton()
{
    UINT nID = 0;
    UINT nStyle = 0;
    int image = 0;
    const FormatButton* button = FormatButtonOf(g_settings.nOutputFormat);
    if (!button || !m_wndToolBar.m_hWnd || !m_wndToolBar.GetButtonInfo(0, nID, nStyle, image))
        return;
    m_wndToolBar.SetButtonInfo(0, nID, nStyle, button->image);
}
void CTolvaneDlg::SetIdleState()
{
    const CString path = m_pSession ? m_pSession->GetOutputPath() : CString();
    CheckFreeSpace(path.IsEmpty() ? CString(L"C:\\") : path);
    SetIcon(m_hIcon, FALSE);
    if (m_bTrayIcon)
    {
        m_trayIcon.SetIcon(m_hIcon);
        m_trayIcon.SetTooltipText(L"Quillmoth\r\nDouble click here to restore");
    }
}
void CTolvaneDlg::ShowRecordingState(bool paused)
{
    HICON icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(paused ? IDI_PAUSED : IDI_RECORDING));
    LPCWSTR description = paused ? L"Recording Paused" : L"Recording";
    SetIcon(icon, FALSE);
    if (m_bTrayIcon)
    {
        m_trayIcon.SetIcon(icon);
        m_trayIcon.SetTooltipText(description);
    }
    const TaskbarButton button(m_hWnd);
    button.SetProgressState(paused ? TBPF_PAUSED : TBPF_NORMAL);
    button.SetOverlayIcon(icon, description);
}

BOOL CTolvaneDlg::NotifyRecordingFinished()
{
    if (g_settings.nActionAfterRecording == AFTER_RECORDING_MESSAGE_BOX)
        ShowMessage(L"Audio Recording Finished!", MB_OK);
    else if (g_settings.nActionAfterRecording == AFTER_RECORDING_BALLOON && m_bTrayIcon)
        m_trayIcon.ShowBalloon(L"Audio Recording Finished!", L"Quillmoth", NIIF_INFO, 30);
    return TRUE;
}
BOOL CTolvaneDlg::PromptOutputPath(const CString& extension, CString& path)
{
    // No name to start from; the current folder stays where it was.
    wchar_t file[32768] = {};
    CString filter = L"(*" + extension + L")|*" + extension + L"||";
    filter.Replace(L'|', L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = 32768;
    ofn.lpstrDefExt = extension.GetString() + 1;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!::GetSaveFileNameW(&ofn))
        return FALSE;
    path = file;
    return TRUE;
}

// ---------------------------------------------------------------- recording

void CTolvaneDlg::OnRecord()
{
    if (!m_pSession)
        return;
    switch (m_lifecycle.OnRecordPressed(m_pSession->IsRecording() != FALSE, m_pSession->HasEnded() != FALSE))
    {
    case RecordingLifecycle::kNothing:
        return;
    case RecordingLifecycle::kWait:
        // Stopped a moment ago and still being finished: the new recording starts once the
        // last one's threads have ended, unless Stop or exit comes first.
        SetTimer(kWaitingRecordTimer, kWaitingRecordMs);
        return;
    case RecordingLifecycle::kStart:
        break;
    }
    StartRecording();
}

void CTolvaneDlg::StartRecording()
{
    // A name that cleans to nothing would make a file named only by its extension.
    if (!OutputLocation::HasUsableName(g_settings))
    {
        LogEvent(L"Null Output File Name!", LOG_WARNING);
        ShowMessage(L"Null Output File Name!", MB_ICONHAND);
        return;
    }
    OutputLocation::UseDefaultFolderWhenEmpty(g_settings, GetDefaultDestDir());
    if (m_pSession->Record(g_settings, g_formatTable, g_nCaptureDevice))
    {
        m_lifecycle.OnStarted();
        m_stTime.SetText(L"00:00:00.0");
        // Without the automatic stop the bar has nothing to count down and stays as it is.
        if (g_settings.bAutoStop)
            m_progress.SetPos(0);
    }
    // The pages follow at once, not at the next idle kick.
    KickPages();
}

void CTolvaneDlg::BlankLevelReadouts()
{
    m_stLeftLevel.SetText(L"   ");
    m_stRightLevel.SetText(L"   ");
}

void CTolvaneDlg::ApplyBalance()
{
    if (m_pSession && m_pSession->IsRecording())
        m_pSession->SetBalance(g_settings.nLeftBalance, g_settings.nRightBalance);
}

void CTolvaneDlg::OnPauseResume()
{
    if (m_pSession)
        m_pSession->OnPauseResume();
}

void CTolvaneDlg::OnStop()
{
    m_lifecycle.OnStopPressed();
    if (m_pSession && m_pSession->IsRecording())
        m_pSession->OnStop();
}

LRESULT CTolvaneDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ReceiveRecordingMessage(message, wParam, lParam))
        return 0;
    return CDialog::WindowProc(message, wParam, lParam);
}

void CTolvaneDlg::OnRecordingProgress(const int32_t* samples, unsigned count)
{
    if (!m_pSession)
        return;
    const int blocks = m_pSession->GetBlockCount();
    m_stTime.SetText(RecordingReadouts::ElapsedText(blocks));

    const RecorderSettings& recording = m_pSession->GetSettings();
    int permille = 0;
    if (recording.bAutoStop && RecordingReadouts::StopProgress(blocks, m_pSession->GetStopBlocks(), permille))
    {
        m_progress.SetPos(permille);
        if (permille % 10 == 0)
            TaskbarButton(m_hWnd).SetProgressValue(static_cast<ULONGLONG>(permille), 1000);
    }

    if (!samples || !m_pSession->IsRecording() || g_bInTray || IsIconic() || !g_settings.bShowAmplitude)
        return;
    CString left;
    CString right;
    if (RecordingReadouts::LevelTexts(samples, count, recording.nChannels, left, right))
    {
        m_stLeftLevel.SetText(left);
        m_stRightLevel.SetText(right);
    }
}

void CTolvaneDlg::OnRecordingReset()
{
    m_lifecycle.OnShownIdle();
    ReturnToIdle();
    if (m_pSession && m_pSession->IsAutoStopped() &&
        g_settings.nActionAfterRecording != AFTER_RECORDING_NOTHING)
        NotifyRecordingFinished();
}

void CTolvaneDlg::ReturnToIdle()
{
    m_stTime.SetText(L"           ");
    BlankLevelReadouts();
    m_progress.SetPos(1000);
    SetIdleState();
    const TaskbarButton button(m_hWnd);
    button.SetProgressState(TBPF_NOPROGRESS);
    button.SetOverlayIcon(nullptr, L"");
    // The pages follow at once, not at the next idle kick.
    KickPages();
}
void CTolvaneDlg::OnRecordingThreadEnd(int, unsigned recording)
{
    // One of an earlier recording, come late, leaves the one that runs now alone.
    if (!m_pSession || !m_pSession->OnRecThreadEnd(recording))
        return;
    // A writer that failed sends no reset: the window goes back to idle all the same.
    if (m_pSession->HasEnded() && m_lifecycle.OnShownIdle())
        ReturnToIdle();
    CheckWaitingRecord();
}

void CTolvaneDlg::CheckWaitingRecord()
{
    const RecordingLifecycle::Action action =
        m_lifecycle.OnWorkersChecked(m_pSession && m_pSession->HasEnded());
    if (action != RecordingLifecycle::kWait)
        KillTimer(kWaitingRecordTimer);
    if (action == RecordingLifecycle::kStart)
        StartRecording();
}

void CTolvaneDlg::OnRecordingFinished(const RecordingOutcome& outcome)
{
    // The values the recording was started with, not the settings as they are now; the
    // length is what reached the disk.
    if (outcome.result != RecordingOutcome::kCancelled && m_pSession && m_filesDlg.m_hWnd)
        m_filesDlg.AddFinishedRecording(FinishedRecording(
            m_pSession->GetOutputPath(), outcome.samplesOnDisk, m_pSession->GetSettings().nChannels,
            m_pSession->GetBlockFrames(), m_pSession->GetSettings().nOutputFormat));
}

// ---------------------------------------------------------------- commands

BOOL CTolvaneDlg::TranslateAccelerators(MSG* pMsg)
{
    return m_hAccel && m_hWnd && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg);
}

BOOL CTolvaneDlg::PreTranslateMessage(MSG* pMsg)
{
    if (KeyFilters::MainWindowKeys(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CTolvaneDlg::ConfirmStopRecording()
{
    if (!IsRecording())
        return TRUE;
    if (ShowMessage(L"You MUST Stop Recording to Do the Job! Continue?", MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES)
        return FALSE;
    OnStop();
    return TRUE;
}

void CTolvaneDlg::OnFormat(UINT nID)
{
    const FormatButton* button = FormatButtonOfCommand(nID);
    if (!button || !ConfirmStopRecording())
        return;
    g_settings.nOutputFormat = button->format;
    UpdateFormatDescription();
}

void CTolvaneDlg::OnUpdateFormat(CCmdUI* pCmdUI)
{
    const FormatButton* button = FormatButtonOfCommand(pCmdUI->m_nID);
    pCmdUI->SetCheck(button && g_settings.nOutputFormat == button->format);
}

void CTolvaneDlg::OnFormatDropDown()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_FORMAT_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    CRect rect;
    if (!pPopup || !m_wndToolBar.GetRect(ID_FORMAT, &rect))
        return;
    m_wndToolBar.ClientToScreen(&rect);
    pPopup->TrackPopupMenu(TPM_VERTICAL, rect.left, rect.bottom, this);
}

void CTolvaneDlg::OnSelectDevice(UINT nID)
{
    if (IsRecording())
    {
        PageMessage::StopRecordingFirst(this, m_hWnd);
        return;
    }
    const int count = m_devDlg.m_cbDevice.GetCount();
    unsigned k = nID - DeviceListing::kFirstCommand;
    if (k >= static_cast<unsigned>(count))
        k = 0;
    if (CMenu* pDeviceMenu = GetDeviceMenu())
        pDeviceMenu->CheckMenuRadioItem(DeviceListing::kFirstCommand,
                                        DeviceListing::kFirstCommand + static_cast<UINT>(count) - 1,
                                        DeviceListing::kFirstCommand + k, MF_BYCOMMAND);
    m_devDlg.m_cbDevice.SetCurSel(static_cast<int>(k));
    m_devDlg.OpenDeviceMixer();
}

CMenu* CTolvaneDlg::GetDeviceMenu()
{
    CMenu* pMenu = GetMenu();
    CMenu* pFileMenu = pMenu ? pMenu->GetSubMenu(0) : nullptr;
    return pFileMenu ? pFileMenu->GetSubMenu(0) : nullptr;
}

void CTolvaneDlg::ReloadSettings()
{
    LoadSettings();
    for (const PageSlot& slot : m_pages)
        slot.page->ShowSettings();
    UpdateFormatDescription();
}

namespace
{
// Where the focus goes when the window gets it back: the control that had it, while it
// can still take it.
HWND FocusOnReturn(HWND hWndDialog, HWND hWndSaved, HWND hWndFallback)
{
    if (!hWndSaved || !::IsWindow(hWndSaved) || !::IsChild(hWndDialog, hWndSaved) ||
        !::IsWindowEnabled(hWndSaved))
        return hWndFallback;
    // Shown inside the window (the window itself may not be shown yet on its way back).
    for (HWND h = hWndSaved; h && h != hWndDialog; h = ::GetParent(h))
    {
        if (!(::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE))
            return hWndFallback;
    }
    return hWndSaved;
}
} // namespace

void CTolvaneDlg::SelectTab(int nTab)
{
    m_tabCtrl.SetCurSel(nTab);
    ShowTab();
}

void CTolvaneDlg::OnToolPage(UINT nID)
{
    for (int i = 0; i < kPageCount; ++i)
        if (m_pages[i].command == nID)
            SelectTab(i);
}

void CTolvaneDlg::OnNextTool()
{
    SelectTab((m_tabCtrl.GetCurSel() + 1) % kPageCount);
}

void CTolvaneDlg::OnPrevTool()
{
    SelectTab((m_tabCtrl.GetCurSel() - 1 + kPageCount) % kPageCount);
}

void CTolvaneDlg::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    ShowTab();
    *pResult = 0;
}

void CTolvaneDlg::ShowTab()
{
    const int selected = m_tabCtrl.GetCurSel();
    if (selected < 0 || selected >= kPageCount)
        return;
    // A focus left inside a hidden page strands the dialog manager's search for an Alt+letter.
    const HWND focus = ::GetFocus();
    for (int i = 0; i < kPageCount; ++i)
    {
        const HWND page = m_pages[i].page->m_hWnd;
        if (i != selected && page && focus && (focus == page || ::IsChild(page, focus)))
            m_tabCtrl.SetFocus();
    }
    for (int i = 0; i < kPageCount; ++i)
    {
        if (m_pages[i].page->m_hWnd)
            m_pages[i].page->SetWindowPos(nullptr, kPageX, kPageY, 0, 0,
                                          SWP_NOSIZE | SWP_NOZORDER |
                                              (i == selected ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    // A page shows its controls' state as it appears, not at the next tenth idle pass.
    KickPages();
}

BOOL CTolvaneDlg::IsIdleMessage(const MSG* pMsg)
{
    return pMsg->message != WM_REC_PROGRESS && CDialog::IsIdleMessage(pMsg);
}

LRESULT CTolvaneDlg::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    if (++m_nIdleCount % 10 == 0)
        KickPages();
    return CDialog::OnKickIdle(wParam, lParam);
}

void CTolvaneDlg::KickPages()
{
    for (const PageSlot& slot : m_pages)
    {
        if (slot.kicked && slot.page->m_hWnd)
            slot.page->SendMessage(WM_KICKIDLE, 0, 0);
    }
}

BOOL CTolvaneDlg::OnToolTipNotify(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT_PTR id = pNMHDR->idFrom;
    if (info->uFlags & TTF_IDISHWND)
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    if (id == 0)
        return FALSE;
    // The text lives in the string table, so the tooltip can keep the pointer.
    LPCWSTR text = nullptr;
    const int length =
        ::LoadStringW(AfxGetResourceHandle(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return FALSE;
    m_strToolTip = CString(text, length);
    info->lpszText = const_cast<LPWSTR>(m_strToolTip.GetString());
    info->hinst = nullptr;
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return TRUE;
}

void CTolvaneDlg::OnAbout()
{
    CAboutDlg dlg(this);
    dlg.DoModal();
}

void CTolvaneDlg::OnTipOfTheDay()
{
    CTipDlg dlg(this, this);
    dlg.DoModal();
}

void CTolvaneDlg::OnHelpContents()
{
    ::ShellExecuteW(m_hWnd, L"open", g_strProgramDir + L"\\Help.chm", nullptr, nullptr, SW_SHOWNORMAL);
}

void CTolvaneDlg::OnWebCommand(UINT nID)
{
    ::ShellExecuteW(m_hWnd, L"open", WebAddress(nID), nullptr, nullptr, SW_SHOWNORMAL);
}

// ---------------------------------------------------------------- window and tray

int CTolvaneDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    ::SetPropW(m_hWnd, AfxGetApp() ? AfxGetApp()->m_pszExeName : L"Quillmoth", reinterpret_cast<HANDLE>(1));
    return 0;
}

void CTolvaneDlg::OnDestroy()
{
    CDialog::OnDestroy();
    ::RemovePropW(m_hWnd, AfxGetApp() ? AfxGetApp()->m_pszExeName : L"Quillmoth");
}

void CTolvaneDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    const UINT command = nID & 0xFFF0;
    if (command == IDM_ABOUTBOX)
    {
        OnAbout();
    }
    if (!g_bInTray)
    {
        // Hiding needs the icon to come back by: without it the window would be lost.
        if (m_bTrayIcon && ((command == SC_MINIMIZE && g_settings.bMinimizeToTray) ||
                            (command == SC_CLOSE && g_settings.bCloseToTray)))
        {
            g_bInTray = 1;
            SaveFocus();
            m_trayIcon.MinimiseToTray(this);
            m_trayIcon.SetMenuDefaultItem(ID_RESTORE, FALSE);
            return;
        }
        if (!IsIconic())
        {
            Default();
            return;
        }
    }
    if (command == SC_MAXIMIZE || command == SC_RESTORE)
    {
        g_bInTray = 0;
        m_trayIcon.MaximiseFromTray(this);
        // Back from the tray or not, a minimised window still needs the system's restore.
        if (IsIconic())
            Default();
        RestoreTaskbarState();
        return;
    }
    (void)lParam;
    Default();
}

void CTolvaneDlg::SaveFocus()
{
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(m_hWnd, focus))
        m_hWndSavedFocus = focus;
}

LRESULT CTolvaneDlg::OnActivateMessage(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == WA_INACTIVE)
        SaveFocus();
    return Default();
}

LRESULT CTolvaneDlg::OnSetFocusMessage(WPARAM, LPARAM)
{
    // The dialog manager would give the focus to the first control it finds, through the
    // tabs into the log, and select all its text: back to where it was, else the tabs.
    ::SetFocus(FocusOnReturn(m_hWnd, m_hWndSavedFocus, m_tabCtrl.m_hWnd));
    return 0;
}

void CTolvaneDlg::OnTrayRestore()
{
    if (g_bInTray)
        g_bInTray = 0;
    else if (!IsIconic())
        return;
    m_trayIcon.MaximiseFromTray(this);
    if (IsIconic())
        ShowWindow(SW_RESTORE);
    m_trayIcon.SetMenuDefaultItem(ID_RESTORE, FALSE);
    RestoreTaskbarState();
}

void CTolvaneDlg::RestoreTaskbarState()
{
    if (!TaskbarButton::Exists() || !IsRecording())
        return;
    ShowRecordingState(m_pSession->IsPaused() != FALSE);
}

void CTolvaneDlg::OnPaint()
{
    if (!IsIconic())
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

HCURSOR CTolvaneDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CTolvaneDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kStartTimer)
    {
        KillTimer(kStartTimer);
        if (SettingsFile(GetSettingsPath()).ReadInt(kTipSection, kTipKey, kTipDefault) != 0)
            OnTipOfTheDay();
    }
    else if (nIDEvent == kWaitingRecordTimer)
    {
        CheckWaitingRecord();
    }
    Default();
}

// ---------------------------------------------------------------- the end

void CTolvaneDlg::OnClose()
{
    OnExit();
}

BOOL CTolvaneDlg::OnQueryEndSession()
{
    if (!Default())
        return FALSE;
    OnExit();
    return TRUE;
}

void CTolvaneDlg::OnEndSession(BOOL)
{
    Default();
    OnExit();
}

void CTolvaneDlg::WaitForRecordingEnd(DWORD timeoutMs)
{
    if (!m_pSession)
        return;
    // The writer finishes the file and sends its row while this waits.
    if (!m_pSession->WaitForEnd(timeoutMs))
        LogEvent(L"The recording did not finish in time; its file may be incomplete.", LOG_WARNING);
    // Its last lines ("Done." among them) are still queued.
    MSG msg;
    while (::PeekMessageW(&msg, m_hWnd, WM_REC_PROGRESS, WM_REC_FINISHED, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

void CTolvaneDlg::SaveRecordedFiles()
{
    if (m_bListDamaged)
        return; // the unreadable list stays as it is
    RecordedFilesFile file(GetRecordedFilesPath());
    if (!file.Save(m_filesDlg.GetRows()))
    {
        LogEvent(L"An error occurred while saving the output files.", LOG_WARNING);
        ShowMessage(L"An Error Occurred While Saving the Output Files.", MB_ICONHAND);
    }
}

void CTolvaneDlg::OnExit()
{
    // Messages handled while the recording winds down may ask to exit again.
    if (g_bExitStarted || m_bExiting)
        return;
    m_bExiting = TRUE;
    m_lifecycle.OnStopPressed();
    KillTimer(kWaitingRecordTimer);
    if (IsRecording())
        OnStop();
    WaitForRecordingEnd(10000);
    g_bExitStarted = 1;
    // Closed before start-up had read the settings and built the pages: saving now
    // would write defaults over the user's files.
    if (!m_bStarted)
    {
        EndProgram();
        return;
    }

    if (g_settings.bWriteLogFile)
        EventLogFile(GetLogFilePath()).WriteTrailer();
    if (m_devDlg.m_cbDevice.m_hWnd)
        g_settings.nInputDevice = static_cast<int16_t>(m_devDlg.m_cbDevice.GetCurSel());
    SaveSettings();
    SaveRecordedFiles();
    EndProgram();
}

void CTolvaneDlg::EndProgram()
{
    m_pSession.reset();
    if (m_bTrayIcon)
        m_trayIcon.RemoveIcon();
    m_audio.reset();
    if (g_pTaskbarList)
    {
        g_pTaskbarList->Release();
        g_pTaskbarList = nullptr;
    }
    if (g_bComInitialized)
    {
        ::CoUninitialize();
        g_bComInitialized = 0;
    }
    EndDialog(1);
    ::TerminateProcess(::GetCurrentProcess(), 1);
}
