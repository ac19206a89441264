// The main window: toolbar, status bar, read-outs and the six tab pages; it owns the
// recording session, reports every event and ends the program.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <portaudio.h>

#include "app/PageHost.h"
#include "app/RecordingLifecycle.h"
#include "app/pages/CDevDlg.h"
#include "app/pages/CFilesDlg.h"
#include "app/pages/CLogsDlg.h"
#include "app/pages/CMiscDlg.h"
#include "app/pages/COutputDlg.h"
#include "app/pages/CRecDlg.h"
#include "controls/CStaticTime.h"
#include "controls/CSystemTray.h"
#include "engine/AudioLibrary.h"
#include "engine/RecordingEvents.h"
#include "engine/RecordingHost.h"
#include "engine/RecordingSession.h"
#include "framework/CDialog.h"
#include "framework/CProgressCtrl.h"
#include "framework/CReBarCtrl.h"
#include "framework/CStatusBar.h"
#include "framework/CTabCtrl.h"
#include "framework/CToolBar.h"

class RecordedFilesFile;

// The tray icon's callback message.
constexpr UINT WM_TRAY_NOTIFY = WM_APP + 1;

class CTolvaneDlg : public CDialog, public RecordingHost, public RecordingEvents, public PageHost
{
public:
    explicit CTolvaneDlg(CWnd* pParent = nullptr);
    ~CTolvaneDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The main window's accelerator table on pMsg; TRUE when it ran a command.
    BOOL TranslateAccelerators(MSG* pMsg) override;

    // ---- the event sink and the status bar
    void LogEvent(const CString& text, int level) override;
    // kind: a StatusKind.
    void SetStatusText(int kind, const CString& text) override;
    // Ends the audio library and logs the error.
    void ReportStreamError(PaError error);
    // A list file that could not be read whole: kept aside, so exit does not overwrite it.
    void ReportDamagedFileList(const RecordedFilesFile& file) override;

    // ---- settings and state
    BOOL LoadSettings();
    BOOL SaveSettings();
    BOOL IsRecording() const override { return m_pSession && m_pSession->IsRecording(); }
    // The balance settings reach the recording that runs.
    void ApplyBalance() override;
    void CheckFreeSpace(const CString& path) override;
    void UpdateFormatDescription() override;
    void UpdateFormatButton();
    void SetIdleState();
    // Both level read-outs blank at once (the Misc page's Show Amplitude cleared).
    void BlankLevelReadouts() override;
    // The Device(s) submenu, the first item of the menu bar's first popup; null without it.
    CMenu* GetDeviceMenu() override;
    void ReloadSettings() override;
    CWnd* HostWindow() override { return this; }
    BOOL NotifyRecordingFinished();
    void ShowTab();

    // ---- commands other parts call
    void OnStop();
    void OnExit();

    // RecordingHost: the recording's status line, the icons, the save prompt.
    void SetStatusText(const CString& text) override { SetStatusText(STATUS_CURRENT, text); }
    void ShowRecordingState(bool paused) override;
    BOOL PromptOutputPath(const CString& extension, CString& path) override;

    // The pages, for the tests and the other parts.
    CLogsDlg m_logsDlg;
    CDevDlg m_devDlg;
    CRecDlg m_recDlg;
    CFilesDlg m_filesDlg;
    CMiscDlg m_miscDlg;
    COutputDlg m_outputDlg;
    CReportCtrl* m_pFileList = nullptr;

private:
    // The pages in the order of their tabs: the title, the template, the command that
    // shows it (F2 to F7), and whether the idle kick reaches it (the File page has no
    // update handlers).
    struct PageSlot
    {
        CTabPage* page;
        LPCWSTR title;
        UINT idd;
        UINT command;
        bool kicked;
    };
    static constexpr int kPageCount = 6;
    const PageSlot m_pages[kPageCount];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);
    LRESULT OnKickIdle(WPARAM, LPARAM);

    void OnRecord();
    void OnPauseResume();
    // The format menu's commands.
    void OnFormat(UINT nID);
    void OnUpdateFormat(CCmdUI* pCmdUI);
    void OnFormatDropDown();
    void OnSelectDevice(UINT nID);
    // F2 to F7: the page of the command.
    void OnToolPage(UINT nID);
    void OnNextTool();
    void OnPrevTool();
    void OnTabSelChange(NMHDR*, LRESULT* pResult);
    void OnTrayRestore();
    void OnHelpContents();
    void OnAbout();
    void OnTipOfTheDay();
    void OnWebCommand(UINT nID);
    BOOL OnToolTipNotify(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

    // The recording's messages go to RecordingEvents before the message map.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnRecordingProgress(const int32_t* samples, unsigned count) override;
    void OnRecordingLog(const CString& text, int level) override { LogEvent(text, level); }
    void OnRecordingReset() override;
    void OnRecordingThreadEnd(int worker, unsigned recording) override;
    void OnRecordingFinished(const RecordingOutcome& outcome) override;
    void OnRecordingStatus(const CString& text) override { SetStatusText(STATUS_CURRENT, text); }
    // A Record that came while the last recording was still being finished starts once
    // that recording's threads have ended (checked on a timer, not told by a message).
    void CheckWaitingRecord();
    void StartRecording();
    void SaveFocus();
    LRESULT OnActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocusMessage(WPARAM wParam, LPARAM lParam);
    // A recording's progress, ten times a second, changes no command's state.
    BOOL IsIdleMessage(const MSG* pMsg) override;

    DECLARE_MESSAGE_MAP()

private:
    // Start-up steps; FALSE ends start-up early.
    BOOL CreateStatusBar();
    BOOL CreateToolBar();
    void CreatePages();
    BOOL InitAudioDevices();
    void CreateTrayIcon(const CString& startLine);
    void SelectTab(int nTab);
    // Sends the idle kick to the pages that take it: their update handlers run now.
    void KickPages();
    BOOL ConfirmStopRecording();
    void RestoreTaskbarState();
    // The message boxes of the program: owned by this window, silent while recording
    // when the user asked for that.
    int ShowMessage(LPCWSTR text, UINT style);
    // Waits, handling messages, until the recording threads have ended.
    void WaitForRecordingEnd(DWORD timeoutMs);
    void SaveRecordedFiles();
    void EndProgram();

    HICON m_hIcon;
    HACCEL m_hAccel;
    CToolBar m_wndToolBar;
    CReBarCtrl m_wndReBar;
    CStatusBar m_wndStatusBar;
    CTabCtrl m_tabCtrl;
    CStaticTime m_stTime;
    CStaticTime m_stLeftLevel;
    CStaticTime m_stRightLevel;
    CProgressCtrl m_progress;
    CImageList m_toolImages;
    CSystemTray m_trayIcon;
    BOOL m_bTrayIcon = FALSE;

    // From the start-up's device listing on; declared first, so it outlives the session.
    std::optional<AudioLibrary> m_audio;
    std::unique_ptr<RecordingSession> m_pSession;
    // Shown as recording, being finished, idle; and a Record waiting for the last one.
    RecordingLifecycle m_lifecycle;
    // The control that had the focus when the window last lost it (or went to the tray).
    HWND m_hWndSavedFocus = nullptr;
    void ReturnToIdle();
    BOOL m_bStarted = FALSE; // start-up got past the point where exit may save
    BOOL m_bListDamaged = FALSE;
    BOOL m_bExiting = FALSE;
    unsigned m_nIdleCount = 0;
    // Lines logged before the Log page exists, shown when it does.
    std::vector<std::pair<CString, COLORREF>> m_pendingLines;
    std::vector<std::pair<CString, CString>> m_pendingFileLines; // stamp, text
    BOOL m_bLogFileReady = FALSE;
    CString m_strToolTip; // the text a tooltip is showing
};
