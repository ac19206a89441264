// What the dialog tests need beyond RunningApp: the program started from any folder, its
// modal dialogs found and read, keys typed into them, and shell verbs caught in a file
// instead of starting a browser or a help viewer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The program started from a full path (an unpacked copy), found by its window marker.
class LaunchedApp
{
public:
    LaunchedApp() = default;
    ~LaunchedApp(); // ends a copy that is still running
    LaunchedApp(const LaunchedApp&) = delete;
    LaunchedApp& operator=(const LaunchedApp&) = delete;

    // Starts the program and waits until it logs that it is ready.
    bool Start(const std::wstring& exePath);
    HWND Window() const { return m_hWnd; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    std::wstring LogText() const;
    bool WaitForLog(const std::wstring& text, DWORD ms = 30000) const;
    void Command(UINT id) const;
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit(DWORD ms = 30000);

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_hWnd = nullptr;
};

// The visible top-level dialog of process pid with this caption, waiting up to ms.
HWND FindDialog(DWORD pid, const std::wstring& caption, DWORD ms);
// The texts of a window's direct children, in order.
std::vector<std::wstring> ChildTexts(HWND hWnd);
// Keys typed into hWnd, brought to the foreground first.
void TypeKeys(HWND hWnd, std::initializer_list<WORD> keys);
// Clicks the button or link as the mouse would, at its top left.
void ClickControl(HWND hWnd);
// The rectangle of a toolbar button by command, in the toolbar's client coordinates.
bool ToolbarButtonRect(HWND toolbar, DWORD pid, UINT command, RECT* rect);
// A mouse click at a point of the screen.
void ClickScreen(POINT point);

// Sets a value under HKEY_CLASSES_ROOT for the life of the object, then puts the old one
// back.
class ClassesValue
{
public:
    ClassesValue(std::wstring key, const std::wstring& value);
    ~ClassesValue();
    ClassesValue(const ClassesValue&) = delete;
    ClassesValue& operator=(const ClassesValue&) = delete;

private:
    void Set(const std::wstring& value) const;
    std::wstring m_key;
    std::wstring m_old;
    bool m_had = false;
};

// An open command for a class that writes its argument into file.
std::wstring CatchingCommand(const std::wstring& file);
// The first line of a small text file, without its line end and trailing blanks.
std::wstring FirstLine(const std::wstring& path);
// The settings file written as a user would edit it, in a fresh data folder.
bool WriteSettings(const std::wstring& lines);
// The settings file's path.
std::wstring SettingsPath();
// The build folder as a Windows path, without a trailing backslash.
std::wstring BuildFolderPath();
