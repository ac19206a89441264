#include "tests/app_gui/RunningApp.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "app/AppFolders.h"
#include "tests/engine/TestFiles.h"

namespace
{
struct ChildSearch
{
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    if (::GetDlgCtrlID(hWnd) == search->id)
    {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::wstring BuildFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"QM_BUILD", buffer, MAX_PATH);
    // The build folder is a Unix path; Wine maps the root to Z:.
    std::wstring path = std::wstring(L"Z:") + buffer;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}
bool WaitUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - start > ms)
            return done();
        ::Sleep(20);
    }
    return true;
}

std::wstring BinFolder()
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

void RemoveDataFolder()
{
    const CString folder = GetUserDataFolder();
    std::wstring from(folder.GetString());
    from.push_back(L'\0'); // a list of one path
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

std::wstring DataFile(const wchar_t* name)
{
    return std::wstring(GetUserDataFolder().GetString()) + L"\\" + name;
}

bool WriteConfig(const std::wstring& lines)
{
    RemoveDataFolder();
    ::CreateDirectoryW(GetUserDataFolder(), nullptr);
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    // No Tip of the Day over the window the test drives, unless the lines ask for one.
    std::wstring withTip = lines;
    if (withTip.find(L"Tip=") == std::wstring::npos)
    {
        const size_t misc = withTip.find(L"[MISC]\r\n");
        withTip = misc == std::wstring::npos ? L"[MISC]\r\nTip=0\r\n" + withTip
                                             : withTip.insert(misc + 8, L"Tip=0\r\n");
    }
    const std::vector<uint8_t> text = Utf16Bytes(withTip);
    bytes.insert(bytes.end(), text.begin(), text.end());
    return WriteAll(DataFile(L"Config.ini"), bytes);
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring TextOf(HWND hWnd)
{
    const int length = static_cast<int>(::SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    return text;
}

RunningApp::~RunningApp()
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

bool RunningApp::Launch(const std::wstring& exeName)
{
    m_name = exeName.substr(0, exeName.find_last_of(L'.'));
    std::wstring commandLine = L"\"" + BinFolder() + exeName + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return ::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            BinFolder().c_str(), &startup, &m_process) != FALSE;
}

bool RunningApp::Start(const std::wstring& exeName)
{
    return Launch(exeName) && FindWindowOf(60000) && WaitForLog(L"Finished Initialization.", 60000);
}

bool RunningApp::FindWindowOf(DWORD ms)
{
    return WaitUntil(
        [this]
        {
            for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd;
                 hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
            {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                if (pid == m_process.dwProcessId && ::GetPropW(hWnd, m_name.c_str()))
                {
                    m_hWnd = hWnd;
                    return true;
                }
            }
            return false;
        },
        ms);
}

HWND RunningApp::Control(int id) const
{
    ChildSearch search = {id, nullptr};
    ::EnumChildWindows(m_hWnd, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring RunningApp::LogText() const
{
    HWND log = Control(1026);
    return log ? TextOf(log) : std::wstring();
}

bool RunningApp::WaitForLog(const std::wstring& text, DWORD ms) const
{
    return WaitUntil([&] { return LogText().find(text) != std::wstring::npos; }, ms);
}

LRESULT RunningApp::SendWithBuffer(HWND hWnd, UINT message, WPARAM wParam, void* bytes, size_t size) const
{
    void* remote = ::VirtualAllocEx(m_process.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return 0;
    SIZE_T done = 0;
    ::WriteProcessMemory(m_process.hProcess, remote, bytes, size, &done);
    const LRESULT result = ::SendMessageW(hWnd, message, wParam, reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(m_process.hProcess, remote, bytes, size, &done);
    ::VirtualFreeEx(m_process.hProcess, remote, 0, MEM_RELEASE);
    return result;
}

std::wstring RunningApp::StatusText(int pane) const
{
    HWND bar = ::FindWindowExW(m_hWnd, nullptr, STATUSCLASSNAMEW, nullptr);
    if (!bar)
        return std::wstring();
    std::wstring text(4096, L'\0');
    SendWithBuffer(bar, SB_GETTEXTW, static_cast<WPARAM>(pane), &text[0], text.size() * sizeof(wchar_t));
    text.resize(wcslen(text.c_str()));
    return text;
}

bool RunningApp::ClickToolbarButton(UINT command) const
{
    HWND rebar = ::FindWindowExW(m_hWnd, nullptr, REBARCLASSNAMEW, nullptr);
    HWND toolbar = ::FindWindowExW(rebar, nullptr, TOOLBARCLASSNAMEW, nullptr);
    RECT rect = {};
    if (!toolbar || !SendWithBuffer(toolbar, TB_GETRECT, command, &rect, sizeof(rect)))
        return false;
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
    return true;
}

HWND RunningApp::FindBox(const std::wstring& text) const
{
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        if (pid != m_process.dwProcessId || hWnd == m_hWnd || !::IsWindowVisible(hWnd))
            continue;
        for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        {
            if (TextOf(child).find(text) != std::wstring::npos)
                return hWnd;
        }
    }
    return nullptr;
}

void RunningApp::Command(UINT id) const
{
    ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void RunningApp::PressKeys(std::initializer_list<WORD> keys) const
{
    ::SetForegroundWindow(m_hWnd);
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

DWORD RunningApp::WaitForExit(DWORD ms)
{
    if (!m_process.hProcess || ::WaitForSingleObject(m_process.hProcess, ms) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

bool SaveScreenshot(HWND hWnd, const std::wstring& name)
{
    RECT rect;
    ::GetClientRect(hWnd, &rect);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    const std::wstring folder = BuildFolder() + L"\\screenshots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE out = ::CreateFileW((folder + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    DWORD written = 0;
    const bool ok = ::WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                    ::WriteFile(out, &info, sizeof(info), &written, nullptr) &&
                    ::WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    ::CloseHandle(out);
    return ok;
}
