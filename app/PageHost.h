// What the tab pages and their dialogs ask of the main window. They include this, not the
// main window's header, so the window and its pages do not include each other.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class CMenu;
class CWnd;
class RecordedFilesFile;

class PageHost
{
public:
    virtual BOOL TranslateAccelerators(MSG* pMsg) = 0;
    virtual void LogEvent(const CString& text, int level) = 0;
    // kind 1 last event, 2 current status, 3 output format.
    virtual void SetStatusText(int kind, const CString& text) = 0;
    virtual void ReportDamagedFileList(const RecordedFilesFile& file) = 0;
    virtual BOOL IsRecording() const = 0;
    virtual void ApplyBalance() = 0;
    virtual void CheckFreeSpace(const CString& path) = 0;
    virtual void UpdateFormatDescription() = 0;
    virtual void BlankLevelReadouts() = 0;
    virtual CMenu* GetDeviceMenu() = 0;
    // The settings read again (after Reset ALL removed the file), and every page shows them.
    virtual void ReloadSettings() = 0;

protected:
    ~PageHost() = default;
};

// The main window as the pages see it; null before it exists and after it is gone.
PageHost* GetPageHost();
// The main window's handle when there is one, else hWndFallback.
HWND PageOwner(HWND hWndFallback);
// The main window as the parent of a page's dialog; null when there is none.
CWnd* PageParent();
