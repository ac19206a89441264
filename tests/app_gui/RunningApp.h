// The real program started from the tests' folder, driven from outside as a user's
// system would: its window found by the marker property, commands and keys sent to it,
// its log page read, its exit code taken.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class RunningApp
{
public:
    RunningApp() = default;
    ~RunningApp(); // ends a copy that is still running
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    // Starts exeName (beside the test program) and waits until it logs that it is ready.
    bool Start(const std::wstring& exeName = L"Quillmoth.exe");
    // Starts it without waiting for a window (a second copy that should end at once).
    bool Launch(const std::wstring& exeName = L"Quillmoth.exe");
    HWND Window() const { return m_hWnd; }
    DWORD ProcessId() const { return m_process.dwProcessId; }

    // The main window's child (at any depth) with this control id.
    HWND Control(int id) const;
    std::wstring LogText() const;
    bool WaitForLog(const std::wstring& text, DWORD ms = 30000) const;
    // The status bar pane's text.
    std::wstring StatusText(int pane) const;
    void Command(UINT id) const;
    // Sends a message whose lParam points to bytes of the program's own memory: the
    // bytes go in and come back out.
    LRESULT SendWithBuffer(HWND hWnd, UINT message, WPARAM wParam, void* bytes, size_t size) const;
    // A left click in the middle of a toolbar button, by its command.
    bool ClickToolbarButton(UINT command) const;
    // A top-level window of the program other than the main window, holding this text.
    HWND FindBox(const std::wstring& text) const;
    // Keys as the user types them, to the program in the foreground.
    void PressKeys(std::initializer_list<WORD> keys) const;
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit(DWORD ms = 30000);

private:
    bool FindWindowOf(DWORD ms);

    PROCESS_INFORMATION m_process = {};
    std::wstring m_name;
    HWND m_hWnd = nullptr;
};

// Waits for done() with short sleeps; true when it held in time.
bool WaitUntil(const std::function<bool()>& done, DWORD ms);
// The build folder ($QM_BUILD) as the program sees it, without a trailing backslash.
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
// Saves the window's client area as a BMP file under $QM_BUILD/screenshots.
bool SaveScreenshot(HWND hWnd, const std::wstring& name);
std::wstring TextOf(HWND hWnd);
// ASCII text of a wide string, for test messages.
std::string Narrow(const std::wstring& text);
