#include "tests/app_dialogs/DialogDriver.h"

#include <commctrl.h>

#include <cstdio>

#include "app/AppFolders.h"
#include "tests/app_gui/RunningApp.h"

namespace
{
struct DialogSearch
{
    DWORD pid;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK FindDialogOf(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(hWnd, cls, 64);
    if (pid == search->pid && ::IsWindowVisible(hWnd) && std::wstring(cls) == L"#32770" &&
        TextOf(hWnd) == *search->caption)
    {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

struct MarkedSearch
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMarked(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<MarkedSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == search->pid && ::GetPropW(hWnd, L"Quillmoth"))
    {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
BOOL CALLBACK FindLogPage(HWND hWnd, LPARAM lParam)
{
    if (::GetDlgCtrlID(hWnd) != 1026)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}
} // namespace

LaunchedApp::~LaunchedApp()
{
    if (m_process.hProcess)
    {
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.hProcess, 99);
        ::WaitForSingleObject(m_process.hProcess, 10000);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
}

bool LaunchedApp::Start(const std::wstring& exePath)
{
    const std::wstring folder = exePath.substr(0, exePath.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &m_process))
        return false;
    const bool found = WaitUntil(
        [this]
        {
            MarkedSearch search = {m_process.dwProcessId, nullptr};
            ::EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search));
            m_hWnd = search.found;
            return m_hWnd != nullptr;
        },
        60000);
    return found && WaitForLog(L"Finished Initialization.", 60000);
}

std::wstring LaunchedApp::LogText() const
{
    HWND log = nullptr;
    ::EnumChildWindows(m_hWnd, FindLogPage, reinterpret_cast<LPARAM>(&log));
    return log ? TextOf(log) : std::wstring();
}

bool LaunchedApp::WaitForLog(const std::wstring& text, DWORD ms) const
{
    return WaitUntil([&] { return LogText().find(text) != std::wstring::npos; }, ms);
}

void LaunchedApp::Command(UINT id) const
{
    ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

DWORD LaunchedApp::WaitForExit(DWORD ms)
{
    if (!m_process.hProcess || ::WaitForSingleObject(m_process.hProcess, ms) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

HWND FindDialog(DWORD pid, const std::wstring& caption, DWORD ms)
{
    DialogSearch search = {pid, &caption, nullptr};
    WaitUntil(
        [&]
        {
            search.found = nullptr;
            ::EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ms);
    return search.found;
}

std::vector<std::wstring> ChildTexts(HWND hWnd)
{
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    return texts;
}

void TypeKeys(HWND hWnd, std::initializer_list<WORD> keys)
{
    ::SetForegroundWindow(hWnd);
    WaitUntil([&] { return ::GetForegroundWindow() == hWnd; }, 5000);
    std::vector<INPUT> inputs;
    for (WORD key : keys)
    {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto it = keys.end(); it != keys.begin();)
    {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickControl(HWND hWnd)
{
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

bool ToolbarButtonRect(HWND toolbar, DWORD pid, UINT command, RECT* rect)
{
    // The message carries a pointer: the rectangle must live in the program's memory.
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return false;
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    bool ok = false;
    if (remote)
    {
        SIZE_T read = 0;
        ok = ::SendMessageW(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(remote)) &&
             ::ReadProcessMemory(process, remote, rect, sizeof(RECT), &read) && read == sizeof(RECT);
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return ok;
}

void ClickScreen(POINT point)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = (point.x * 65535) / (width - 1);
    inputs[0].mi.dy = (point.y * 65535) / (height - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].type = INPUT_MOUSE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, inputs, sizeof(INPUT));
}

ClassesValue::ClassesValue(std::wstring key, const std::wstring& value) : m_key(std::move(key))
{
    wchar_t old[1024] = {};
    LONG size = sizeof(old);
    m_had = ::RegQueryValueW(HKEY_CLASSES_ROOT, m_key.c_str(), old, &size) == ERROR_SUCCESS;
    m_old = old;
    Set(value);
}

ClassesValue::~ClassesValue()
{
    if (m_had)
        Set(m_old);
    else
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, m_key.c_str());
}

void ClassesValue::Set(const std::wstring& value) const
{
    ::RegSetValueW(HKEY_CLASSES_ROOT, m_key.c_str(), REG_SZ, value.c_str(),
                   static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

std::wstring CatchingCommand(const std::wstring& file)
{
    return L"C:\\windows\\system32\\cmd.exe /c > \"" + file + L"\" echo %1";
}

std::wstring FirstLine(const std::wstring& path)
{
    std::wstring text;
    if (FILE* f = _wfopen(path.c_str(), L"rb"))
    {
        char buffer[1024] = {};
        const size_t n = fread(buffer, 1, sizeof(buffer) - 1, f);
        fclose(f);
        for (size_t i = 0; i < n && buffer[i] != '\r' && buffer[i] != '\n'; ++i)
            text += static_cast<wchar_t>(static_cast<unsigned char>(buffer[i]));
    }
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    return text;
}

std::wstring SettingsPath()
{
    return std::wstring(GetUserDataFolder().GetString()) + L"\\Config.ini";
}

bool WriteSettings(const std::wstring& lines)
{
    RemoveDataFolder();
    ::CreateDirectoryW(GetUserDataFolder(), nullptr);
    FILE* f = _wfopen(SettingsPath().c_str(), L"wb");
    if (!f)
        return false;
    const unsigned char mark[2] = {0xFF, 0xFE};
    bool ok = fwrite(mark, 1, 2, f) == 2;
    for (wchar_t c : lines)
    {
        const unsigned char bytes[2] = {static_cast<unsigned char>(c & 0xFF),
                                        static_cast<unsigned char>(c >> 8)};
        ok = ok && fwrite(bytes, 1, 2, f) == 2;
    }
    return fclose(f) == 0 && ok;
}

std::wstring BuildFolderPath()
{
    wchar_t buffer[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"QM_BUILD", buffer, MAX_PATH);
    std::wstring path = std::wstring(L"Z:") + buffer;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}
