// What the tab pages and their dialogs ask of the main window. They include this, not the
// main window's header, so the window and its pages do not include each other; each page
// is given its host when it is created.
#pragma once

#include <windows.h>

#include "app/EventPresentation.h"
#include "framework/CString.h"

class CMenu;
class CWnd;
class RecordedFilesFile;

class PageHost
{
public:
    virtual BOOL TranslateAccelerators(MSG* pMsg) = 0;
    virtual void LogEvent(const CString& text, int level) = 0;
    // kind: a StatusKind.
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
    // The main window: the parent of the pages' dialogs and the owner of their boxes.
    virtual CWnd* HostWindow() = 0;

protected:
    ~PageHost() = default;
};

// Whether there is a host and it is recording.
inline bool IsHostRecording(const PageHost* host)
{
    return host && host->IsRecording();
}
