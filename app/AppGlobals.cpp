#include "app/AppGlobals.h"

RecorderSettings g_settings = []
{
    RecorderSettings s;
    s.strDestDir = L".\\Output\\"; // until start-up computes the default folder
    return s;
}();
FormatSupportTable g_formatTable;
int16_t g_nCaptureDevice = -1;
CString g_strProgramDir;
CString g_strDataDir;
int32_t g_bComInitialized = 0;
ITaskbarList3* g_pTaskbarList = nullptr;
int32_t g_bExitStarted = 0;
int32_t g_bInTray = 0;

CString GetSettingsPath()
{
    return g_strDataDir + L"\\Config.ini";
}

CString GetRecordedFilesPath()
{
    return g_strDataDir + L"\\Output.ini";
}

CString GetLogFilePath()
{
    return g_strDataDir + L"\\Quillmoth.log";
}
