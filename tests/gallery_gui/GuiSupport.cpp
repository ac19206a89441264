#include "tests/gallery_gui/GuiSupport.h"

#include <gtest/gtest.h>

#include "tools/gallery/GalleryIds.h"

void Pump(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < ms)
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
    return done();
}

Gallery::Gallery()
{
    EXPECT_TRUE(dlg.Create(IDD_GALLERY, nullptr));
    dlg.ShowWindow(SW_SHOW);
    dlg.UpdateWindow();
    Pump(100);
}

Gallery::~Gallery()
{
    dlg.DestroyWindow();
}

HWND WaitForWindow(const wchar_t* title, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms)
    {
        if (HWND h = ::FindWindowW(L"#32770", title))
            if (::IsWindowVisible(h))
                return h;
        ::Sleep(20);
    }
    return nullptr;
}

BoxDriver::BoxDriver(std::wstring title, std::function<void(HWND)> act)
    : m_title(std::move(title)), m_act(std::move(act))
{
    m_thread = std::thread(
        [this]
        {
            if (HWND h = WaitForWindow(m_title.c_str(), 30000))
            {
                m_found = true;
                // Answered once the box's own loop runs, so its set-up is over.
                DWORD_PTR result = 0;
                ::SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
                m_act(h);
            }
        });
}

BoxDriver::~BoxDriver()
{
    if (m_thread.joinable())
        m_thread.join();
}

void PostKey(HWND hWndBox, WPARAM vk)
{
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof(gti);
    HWND target = hWndBox;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(hWndBox, nullptr), &gti) && gti.hwndFocus)
        target = gti.hwndFocus;
    ::PostMessageW(target, WM_KEYDOWN, vk, 1);
    ::PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
}

std::wstring TextOf(HWND hWnd)
{
    wchar_t buf[512] = {};
    ::GetWindowTextW(hWnd, buf, 512);
    return buf;
}
