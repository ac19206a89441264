// Helpers of the GUI tests: the gallery dialog shown modeless, a message pump, and a
// thread that finds a box by its title and acts on it while the test's thread runs it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "tools/gallery/CGalleryDlg.h"

// Runs the thread's messages for about ms milliseconds.
void Pump(DWORD ms);
// Pumps until done() or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// The gallery dialog, created for one test.
struct Gallery
{
    Gallery();
    ~Gallery();
    CGalleryDlg dlg;
};

// Waits (on its own thread) for a top-level dialog with the title, then calls act with it.
class BoxDriver
{
public:
    BoxDriver(std::wstring title, std::function<void(HWND)> act);
    ~BoxDriver();
    bool Found() const { return m_found; }

private:
    std::wstring m_title;
    std::function<void(HWND)> m_act;
    bool m_found = false;
    std::thread m_thread;
};

HWND WaitForWindow(const wchar_t* title, DWORD ms);
// A key press as the box's loop gets it (posted to the focused control of that thread).
void PostKey(HWND hWndBox, WPARAM vk);
std::wstring TextOf(HWND hWnd);
