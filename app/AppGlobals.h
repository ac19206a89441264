// What the whole program shares: the settings record, the folders and the taskbar button.
// Set by the main window's start-up.
#pragma once

#include <windows.h>

#include <shobjidl.h>

#include "engine/FormatSupportTable.h"
#include "engine/RecorderSettings.h"
#include "framework/CString.h"

extern RecorderSettings g_settings;
// What the chosen device (probed by the Device page) and the encoders accept.
extern FormatSupportTable g_formatTable;
// The audio library's index of the chosen capture device; -1 none.
extern int16_t g_nCaptureDevice;
extern CString g_strProgramDir; // the program's folder, no trailing backslash
extern CString g_strDataDir;    // the user's data folder, no trailing backslash
// The main window's CoInitialize succeeded (tried on Windows 7 and later only).
extern int32_t g_bComInitialized;
extern ITaskbarList3* g_pTaskbarList; // null before Windows 7
extern int32_t g_bExitStarted;
extern int32_t g_bInTray; // the window is hidden in the notification area

// Files of the data folder.
CString GetSettingsPath();
CString GetRecordedFilesPath();
CString GetLogFilePath();
