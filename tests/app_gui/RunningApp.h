// The real program started from the tests' folder (or any other), driven from outside as a
// user's system would: its window found by the marker property, commands, keys and clicks
// sent to it, its log page and its other windows read, its exit code taken.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class RunningApp
{
public:
    RunningApp() = default;
    ~RunningApp(); // ends a copy that is still running
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    // Starts exeName (beside the test program) and waits until it logs that it is ready.
    bool Start(const std::wstring& exeName = L"Quillmoth.exe");
    // Starts the program at this full path (an unpacked copy), in its own folder, and waits
    // until it logs that it is ready.
    bool StartFrom(const std::wstring& exePath);
    // Starts it without waiting for a window (a second copy that should end at once).
    bool Launch(const std::wstring& exeName = L"Quillmoth.exe");
    HWND Window() const { return m_hWnd; }
    DWORD ProcessId() const { return m_process.dwProcessId; }

    // The main window's child (at any depth) with this control id.
    HWND Control(int id) const;
    std::wstring LogText() const;
    bool WaitForLog(const std::wstring& text, DWORD ms = 30000) const;
    // How many times the log page holds text.
    size_t LogCount(const std::wstring& text) const;
    // The status bar pane's text.
    std::wstring StatusText(int pane) const;
    void Command(UINT id) const;
    // Sends a message whose lParam points to bytes of the program's own memory: the
    // bytes go in and come back out.
    LRESULT SendWithBuffer(HWND hWnd, UINT message, WPARAM wParam, void* bytes, size_t size) const;
    // A toolbar button's rectangle by its command, in screen coordinates.
    bool ToolbarButtonRect(UINT command, RECT* rect) const;
    // A left click in the middle of a toolbar button, by its command.
    bool ClickToolbarButton(UINT command) const;
    // A visible top-level window of the program other than the main window whose own text
    // or a child's (at any depth) holds text, waiting up to ms; null when none came.
    HWND FindBox(const std::wstring& text, DWORD ms = 0) const;
    // A visible top-level window of the program other than the main window with exactly
    // this caption, waiting up to ms; null when none came.
    HWND FindTopWindow(const std::wstring& caption, DWORD ms = 0) const;
    // Keys as the user types them, to the program in the foreground.
    void PressKeys(std::initializer_list<WORD> keys) const;
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit(DWORD ms = 30000);

private:
    bool LaunchPath(const std::wstring& exePath);
    bool FindWindowOf(DWORD ms);
    // The first visible top-level window of the program, main window aside, that matches.
    HWND FindOwnWindow(const std::function<bool(HWND)>& matches, DWORD ms) const;

    PROCESS_INFORMATION m_process = {};
    std::wstring m_name;
    HWND m_hWnd = nullptr;
};

// Waits for done() with short sleeps; true when it held in time.
bool WaitUntil(const std::function<bool()>& done, DWORD ms);
// The build folder ($QM_BUILD) as Windows sees it, without a trailing backslash.
std::wstring BuildFolder();
// The folder of the test programs (and the program under test), with a trailing backslash.
std::wstring BinFolder();
// Removes the program's data folder, so the next start is a first run.
void RemoveDataFolder();
// A file of the program's data folder.
std::wstring DataFile(const wchar_t* name);
// A fresh data folder whose settings file holds only these lines (UTF-16, as the program
// writes it), as a user would have edited it. Tip=0 is added unless the lines set Tip.
bool WriteConfig(const std::wstring& lines);
// The window's client area as on screen now: 32-bit 0x00RRGGBB pixels, bottom row first.
std::vector<DWORD> ClientPixels(HWND hWnd, int* width, int* height);
// Saves the window's client area as a BMP file under $QM_BUILD/screenshots.
bool SaveScreenshot(HWND hWnd, const std::wstring& name);
// The file's size; 0 when it does not exist.
uint64_t FileSize(const std::wstring& path);
std::wstring TextOf(HWND hWnd);
// The texts of a window's direct children, in order.
std::vector<std::wstring> ChildTexts(HWND hWnd);
// The window's text and every descendant's, each followed by a new line.
std::wstring AllTexts(HWND hWnd);
// Presses the button with this id of a dialog or message box of the program.
void PressDialogButton(HWND box, int id);
// Clicks the button or link as the mouse would, at its top left.
void ClickControl(HWND hWnd);
// Keys typed into hWnd, brought to the foreground first.
void TypeKeys(HWND hWnd, std::initializer_list<WORD> keys);
// Mouse clicks at a screen point.
void ClickAt(POINT point, bool right = false, bool twice = false);
POINT CentreOf(const RECT& rect);
// Whether the window's middle is that of over (to a pixel's rounding).
bool IsCentredOver(HWND window, HWND over);
// ASCII text of a wide string, for test messages.
std::string Narrow(const std::wstring& text);
