#include "tests/app_gui/RunningApp.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
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

BOOL CALLBACK AppendText(HWND hWnd, LPARAM lParam)
{
    *reinterpret_cast<std::wstring*>(lParam) += TextOf(hWnd) + L"\n";
    return TRUE;
}

// Keys down in order, then up in reverse order, to whichever window has the focus.
void SendKeys(std::initializer_list<WORD> keys)
{
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
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
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

uint64_t FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring TextOf(HWND hWnd)
{
    const int length = static_cast<int>(::SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    return text;
}

std::vector<std::wstring> ChildTexts(HWND hWnd)
{
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    return texts;
}

std::wstring AllTexts(HWND hWnd)
{
    std::wstring text;
    AppendText(hWnd, reinterpret_cast<LPARAM>(&text));
    ::EnumChildWindows(hWnd, AppendText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void PressDialogButton(HWND box, int id)
{
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
}

void ClickControl(HWND hWnd)
{
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void TypeKeys(HWND hWnd, std::initializer_list<WORD> keys)
{
    ::SetForegroundWindow(hWnd);
    WaitUntil([&] { return ::GetForegroundWindow() == hWnd; }, 5000);
    SendKeys(keys);
}

POINT CentreOf(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool IsCentredOver(HWND window, HWND over)
{
    RECT a;
    RECT b;
    if (!::GetWindowRect(window, &a) || !::GetWindowRect(over, &b))
        return false;
    return std::abs((a.left + a.right) - (b.left + b.right)) <= 2 &&
           std::abs((a.top + a.bottom) - (b.top + b.bottom)) <= 2;
}

void ClickAt(POINT point, bool right, bool twice)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = (point.x * 65535) / (width - 1);
    move.mi.dy = (point.y * 65535) / (height - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &move, sizeof(INPUT));
    for (int i = 0; i < (twice ? 2 : 1); ++i)
    {
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        ::SendInput(2, clicks, sizeof(INPUT));
    }
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

bool RunningApp::LaunchPath(const std::wstring& exePath)
{
    // The window's marker property is named after the program's file.
    const size_t slash = exePath.find_last_of(L'\\');
    m_name = exePath.substr(slash + 1, exePath.find_last_of(L'.') - slash - 1);
    const std::wstring folder = exePath.substr(0, slash + 1);
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return ::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &m_process) != FALSE;
}

bool RunningApp::Launch(const std::wstring& exeName)
{
    return LaunchPath(BinFolder() + exeName);
}

bool RunningApp::Start(const std::wstring& exeName)
{
    return StartFrom(BinFolder() + exeName);
}

bool RunningApp::StartFrom(const std::wstring& exePath)
{
    return LaunchPath(exePath) && FindWindowOf(60000) && WaitForLog(L"Finished Initialization.", 60000);
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

size_t RunningApp::LogCount(const std::wstring& text) const
{
    const std::wstring log = LogText();
    size_t n = 0;
    for (size_t at = log.find(text); at != std::wstring::npos; at = log.find(text, at + 1))
        ++n;
    return n;
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

bool RunningApp::ToolbarButtonRect(UINT command, RECT* rect) const
{
    HWND rebar = ::FindWindowExW(m_hWnd, nullptr, REBARCLASSNAMEW, nullptr);
    HWND toolbar = ::FindWindowExW(rebar, nullptr, TOOLBARCLASSNAMEW, nullptr);
    *rect = {};
    if (!toolbar || !SendWithBuffer(toolbar, TB_GETRECT, command, rect, sizeof(*rect)))
        return false;
    ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(rect), 2);
    return true;
}

bool RunningApp::ClickToolbarButton(UINT command) const
{
    HWND rebar = ::FindWindowExW(m_hWnd, nullptr, REBARCLASSNAMEW, nullptr);
    HWND toolbar = ::FindWindowExW(rebar, nullptr, TOOLBARCLASSNAMEW, nullptr);
    RECT rect = {};
    if (!ToolbarButtonRect(command, &rect))
        return false;
    POINT centre = CentreOf(rect);
    ::ScreenToClient(toolbar, &centre);
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    ::PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
    return true;
}

HWND RunningApp::FindOwnWindow(const std::function<bool(HWND)>& matches, DWORD ms) const
{
    HWND found = nullptr;
    WaitUntil(
        [&]
        {
            for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd;
                 hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
            {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                if (pid == m_process.dwProcessId && hWnd != m_hWnd && ::IsWindowVisible(hWnd) &&
                    matches(hWnd))
                {
                    found = hWnd;
                    return true;
                }
            }
            return false;
        },
        ms);
    return found;
}

HWND RunningApp::FindBox(const std::wstring& text, DWORD ms) const
{
    return FindOwnWindow([&](HWND hWnd) { return AllTexts(hWnd).find(text) != std::wstring::npos; }, ms);
}

HWND RunningApp::FindTopWindow(const std::wstring& caption, DWORD ms) const
{
    return FindOwnWindow([&](HWND hWnd) { return TextOf(hWnd) == caption; }, ms);
}

void RunningApp::Command(UINT id) const
{
    ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void RunningApp::PressKeys(std::initializer_list<WORD> keys) const
{
    // No wait for the foreground: a menu of the program may be open and keep it.
    ::SetForegroundWindow(m_hWnd);
    SendKeys(keys);
}

DWORD RunningApp::WaitForExit(DWORD ms)
{
    if (!m_process.hProcess || ::WaitForSingleObject(m_process.hProcess, ms) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

std::vector<DWORD> ClientPixels(HWND hWnd, int* width, int* height)
{
    RECT rect;
    ::GetClientRect(hWnd, &rect);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    if (*width <= 0 || *height <= 0)
        return {};
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, *width, *height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, *width, *height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = *width;
    info.biHeight = *height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(*width) * static_cast<size_t>(*height));
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(*height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

bool SaveScreenshot(HWND hWnd, const std::wstring& name)
{
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = ClientPixels(hWnd, &width, &height);
    if (pixels.empty())
        return false;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;

    const std::wstring folder = BuildFolder() + L"\\screenshots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE out = ::CreateFileW((folder + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    const DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    file.bfSize = file.bfOffBits + bytes;
    DWORD written = 0;
    const bool ok = ::WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                    ::WriteFile(out, &info, sizeof(info), &written, nullptr) &&
                    ::WriteFile(out, pixels.data(), bytes, &written, nullptr);
    ::CloseHandle(out);
    return ok;
}
