#include "app/AppFolders.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace
{
// The known folder without a trailing backslash; empty when the system has none.
CString KnownFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0])
        return CString();
    CString folder(path);
    folder.TrimRight(L'\\');
    return folder;
}
} // namespace

CString GetUserDataFolder()
{
    const CString appData = KnownFolder(CSIDL_APPDATA);
    return appData.IsEmpty() ? appData : appData + L"\\Quillmoth";
}

CString GetProgramDir()
{
    // Grow the buffer until the whole path fits: a cut path names another folder.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return CString();
        if (n < buffer.size())
        {
            const CString path(buffer.data(), static_cast<int>(n));
            const int slash = path.ReverseFind(L'\\');
            return slash < 0 ? CString() : path.Left(slash);
        }
        if (buffer.size() >= 0x10000)
            return CString();
        buffer.resize(buffer.size() * 2);
    }
}

CString GetDefaultDestDir()
{
    CString folder = KnownFolder(CSIDL_MYMUSIC);
    if (folder.IsEmpty())
        folder = KnownFolder(CSIDL_DESKTOPDIRECTORY);
    if (folder.IsEmpty())
        return L"C:\\My Music\\";
    return folder + L"\\";
}
