#include "framework/CWinApp.h"

#include <commctrl.h>
#include <ole2.h>

namespace
{
// Closes a registry key when it goes out of scope.
class RegKey
{
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    HKEY* operator&() { return &m_hKey; }
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

CString ExecutableBaseName()
{
    CString path;
    for (DWORD size = MAX_PATH;; size *= 2)
    {
        DWORD n = ::GetModuleFileNameW(nullptr, path.GetBuffer(static_cast<int>(size)), size);
        if (n == 0)
        {
            path.ReleaseBuffer(0);
            break;
        }
        if (n < size)
        {
            path.ReleaseBuffer(static_cast<int>(n));
            break;
        }
        if (size > 32768)
        {
            path.ReleaseBuffer(0);
            break;
        }
    }
    CString name = path.Mid(path.ReverseFind(L'\\') + 1);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}
} // namespace

// The program's entry point sits in its own source file, which only a program that
// constructs an application object pulls out of the library: console tests keep wmain.
extern "C" int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);
static int(WINAPI* volatile s_entryPoint)(HINSTANCE, HINSTANCE, LPWSTR, int) = nullptr;

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_hInstance(::GetModuleHandleW(nullptr)), m_pMainWnd(nullptr), m_pszRegistryKey(nullptr)
{
    s_entryPoint = &wWinMain;
    m_strExeName = ExecutableBaseName();
    m_strAppName = (lpszAppName && *lpszAppName) ? CString(lpszAppName) : m_strExeName;
    m_strProfileName = m_strAppName;
    m_pszExeName = m_strExeName;
    m_pszAppName = m_strAppName;
    m_pszProfileName = m_strProfileName;
    afxCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    if (afxCurrentWinApp == this)
        afxCurrentWinApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey.IsEmpty() ? nullptr : m_strRegistryKey.GetString();
    m_strProfileName = m_strAppName;
    m_pszProfileName = m_strProfileName;
}

namespace
{
// HKCU\Software\<key>\<profile>\<section>; create for writing, open for reading.
bool OpenSectionKey(const CWinApp& app, LPCWSTR section, bool create, HKEY* key)
{
    if (!app.m_pszRegistryKey || !section)
        return false;
    CString path;
    path.Format(L"Software\\%s\\%s\\%s", app.m_pszRegistryKey, app.m_pszProfileName, section);
    if (create)
        return ::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, key, nullptr) == ERROR_SUCCESS;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key) == ERROR_SUCCESS;
}
} // namespace

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    RegKey key;
    if (!lpszEntry || !OpenSectionKey(*this, lpszSection, false, &key))
        return static_cast<UINT>(nDefault);
    DWORD value = 0, type = 0, size = sizeof(value);
    if (::RegQueryValueExW(key, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    RegKey key;
    if (!lpszEntry || !OpenSectionKey(*this, lpszSection, true, &key))
        return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueExW(key, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    RegKey key;
    if (!lpszEntry || !OpenSectionKey(*this, lpszSection, false, &key))
        return CString(lpszDefault);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString(lpszDefault);
    CString value;
    DWORD units = size / sizeof(wchar_t);
    LPWSTR buffer = value.GetBuffer(static_cast<int>(units) + 1);
    if (::RegQueryValueExW(key, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
    {
        value.ReleaseBuffer(0);
        return CString(lpszDefault);
    }
    // A stored value need not carry its terminator.
    buffer[size / sizeof(wchar_t)] = L'\0';
    value.ReleaseBuffer();
    return value;
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (!lpszEntry)
    {
        RegKey profile;
        if (!m_pszRegistryKey || !lpszSection)
            return FALSE;
        CString path;
        path.Format(L"Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_WRITE, &profile) != ERROR_SUCCESS)
            return FALSE;
        return ::RegDeleteKeyW(profile, lpszSection) == ERROR_SUCCESS;
    }
    RegKey key;
    if (!OpenSectionKey(*this, lpszSection, true, &key))
        return FALSE;
    if (!lpszValue)
        return ::RegDeleteValueW(key, lpszEntry) == ERROR_SUCCESS;
    CString value(lpszValue);
    return ::RegSetValueExW(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                            static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;

    HRESULT ole = ::OleInitialize(nullptr);
    // ICC_WIN95_CLASSES holds the bars, tabs, progress and up-down; the rebar is apart.
    INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                     ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&controls);

    int code;
    try
    {
        code = app->InitInstance() ? app->Run() : app->ExitInstance();
    }
    catch (...)
    {
        ::OutputDebugStringW(L"Application start-up ended by an uncaught exception.\n");
        code = -1;
    }
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    return code;
}
