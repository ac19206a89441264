#include "framework/CWnd.h"

#include <commctrl.h>

#include <cwchar>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

#include "framework/CCmdUI.h"
#include "framework/CallbackGuard.h"
#include "framework/CDC.h"
#include "framework/CFont.h"
#include "framework/CHandleMap.h"
#include "framework/CMenu.h"
#include "framework/CWinApp.h"

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace
{
// HWND -> bound object, for the whole process. Never destroyed, so objects that outlive
// static destruction can still unbind themselves.
struct PermanentMap
{
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> windows;
};

PermanentMap& Permanent()
{
    static PermanentMap* map = new PermanentMap;
    return *map;
}

thread_local MSG t_currentMessage = {};
thread_local CWnd* t_pendingCreation = nullptr;
thread_local int t_wndProcDepth = 0;

// A result that leaves the window in a sane state after a failed handler.
LRESULT ResultAfterException(HWND hWnd, UINT message)
{
    switch (message)
    {
    case WM_CREATE:
        return -1; // the creation fails
    case WM_NCCREATE:
        return FALSE;
    case WM_PAINT:
        ::ValidateRect(hWnd, nullptr); // no endless repaint
        return 0;
    default:
        return 0;
    }
}

// A CCmdUI that only records whether an update handler disabled its command.
class CTestCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCWSTR) override {}

    BOOL m_bEnabled = TRUE;
};

void SetTempWindow(CWnd& wnd, HWND hWnd)
{
    wnd.m_hWnd = hWnd;
}
} // namespace

// ---------------------------------------------------------------- handle map

CWnd::~CWnd()
{
    if (m_bPermanent)
    {
        HWND hWnd = m_hWnd;
        Detach();
        // The object is going away with its window still there: the window goes too.
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    PermanentMap& map = Permanent();
    std::lock_guard<std::mutex> guard(map.lock);
    auto it = map.windows.find(hWnd);
    return it == map.windows.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return CHandleMap<CWnd, HWND>::Lookup(hWnd, &SetTempWindow);
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    PermanentMap& map = Permanent();
    std::lock_guard<std::mutex> guard(map.lock);
    if (!map.windows.emplace(hWndNew, this).second)
        return FALSE; // bound to another object
    m_hWnd = hWndNew;
    m_bPermanent = true;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    if (m_pfnSuper)
    {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &StaticWndProc)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    if (m_bPermanent)
    {
        PermanentMap& map = Permanent();
        std::lock_guard<std::mutex> guard(map.lock);
        auto it = map.windows.find(hWnd);
        if (it != map.windows.end() && it->second == this)
            map.windows.erase(it);
        m_bPermanent = false;
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    // The window's procedure may be the framework's already (a raw window of a framework
    // class): then the default procedure stands behind it.
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    m_pfnSuper = (old && old != &StaticWndProc) ? old : &::DefWindowProcW;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    return Detach();
}

// ---------------------------------------------------------------- creation

CWnd::CreationScope::CreationScope(CWnd* pWnd) : m_hHook(nullptr), m_pPrevious(t_pendingCreation)
{
    t_pendingCreation = pWnd;
    m_hHook = ::SetWindowsHookExW(WH_CBT, &CWnd::CreationHookProc, nullptr, ::GetCurrentThreadId());
}

CWnd::CreationScope::~CreationScope()
{
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
    t_pendingCreation = m_pPrevious;
}

LRESULT CALLBACK CWnd::CreationHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pendingCreation)
    {
        CWnd* pWnd = t_pendingCreation;
        t_pendingCreation = nullptr;
        // Before the first message reaches the window.
        CallbackGuard::Run(L"the creation hook",
                           [&] { pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam)); });
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
        return FALSE;
    HWND hWnd;
    {
        CreationScope scope(this);
        hWnd =
            ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                              cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    if (hWnd && !m_hWnd)
        SubclassWindow(hWnd); // the hook could not be installed
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, lpParam);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// ---------------------------------------------------------------- the window procedure

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    MSG saved = t_currentMessage;
    t_currentMessage.hwnd = hWnd;
    t_currentMessage.message = message;
    t_currentMessage.wParam = wParam;
    t_currentMessage.lParam = lParam;
    t_wndProcDepth++;
    LRESULT result;
    try
    {
        result = pWnd->WindowProc(message, wParam, lParam);
    }
    catch (...)
    {
        wchar_t where[64];
        std::swprintf(where, 64, L"the handler of message 0x%04X", message);
        CallbackGuard::ReportCurrent(where);
        result = ResultAfterException(hWnd, message);
    }
    t_wndProcDepth--;
    t_currentMessage = saved;

    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == pWnd)
    {
        // The window is gone: forget it before the object may delete itself.
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        CallbackGuard::Run(L"PostNcDestroy", [&] { pWnd->PostNcDestroy(); });
    }
    return result;
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_currentMessage;
}

int CWnd::WndProcDepth()
{
    return t_wndProcDepth;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = t_currentMessage;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

// ---------------------------------------------------------------- message maps

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{MsgKind::End, 0, 0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const MessageMapEntry* CWnd::FindEntry(MsgKind kind, UINT message, int code, UINT id) const
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->getBase ? map->getBase() : nullptr)
    {
        for (const MessageMapEntry* e = map->entries; e->kind != MsgKind::End; e++)
        {
            if (e->kind != kind)
                continue;
            switch (kind)
            {
            case MsgKind::Message:
                if (e->message == message)
                    return e;
                break;
            case MsgKind::Command:
            case MsgKind::Notify:
                if (e->code == code && id >= e->firstId && id <= e->lastId)
                    return e;
                break;
            case MsgKind::UpdateUI:
                if (id >= e->firstId && id <= e->lastId)
                    return e;
                break;
            case MsgKind::ReflectCommand:
            case MsgKind::ReflectNotify:
                if (e->code == code)
                    return e;
                break;
            case MsgKind::CtlColor:
            case MsgKind::ReflectCtlColor:
                return e;
            default:
                break;
            }
        }
    }
    return nullptr;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        const NMHDR* nmhdr = reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (!nmhdr || !OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        HWND hChild = reinterpret_cast<HWND>(lParam);
        CWnd* pChild = FromHandlePermanent(hChild);
        if (pChild && pChild != this)
        {
            LRESULT result = 0;
            if (pChild->OnChildNotify(message, wParam, lParam, &result))
            {
                *pResult = result;
                return TRUE;
            }
        }
        const MessageMapEntry* e = FindEntry(MsgKind::CtlColor, 0, 0, 0);
        if (!e)
            return FALSE;
        MsgCall call = {message, wParam, lParam, 0, nullptr, nullptr, 0, TRUE};
        e->handler(this, call);
        *pResult = call.result;
        return TRUE;
    }
    const MessageMapEntry* e = FindEntry(MsgKind::Message, message, 0, 0);
    if (!e)
        return FALSE;
    MsgCall call = {message, wParam, lParam, 0, nullptr, nullptr, 0, TRUE};
    e->handler(this, call);
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl)
    {
        // A menu item or an accelerator.
        if (nID == 0)
            return FALSE;
        // One whose update handler disabled it does nothing (an accelerator can still fire).
        CTestCmdUI test;
        test.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &test, nullptr);
        if (!test.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        LRESULT result = 0;
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    bool update = nCode == CN_UPDATE_COMMAND_UI;
    const MessageMapEntry* e = FindEntry(update ? MsgKind::UpdateUI : MsgKind::Command, 0, nCode, nID);
    if (!e)
        return FALSE;
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
    }
    MsgCall call = {WM_COMMAND, 0, 0, nID, nullptr, update ? static_cast<CCmdUI*>(pExtra) : nullptr, 0, TRUE};
    e->handler(this, call);
    return TRUE;
}

BOOL CWnd::DispatchNotify(MsgCall& call)
{
    int code = static_cast<int>(call.nmhdr->code);
    for (const MessageMap* map = GetMessageMap(); map; map = map->getBase ? map->getBase() : nullptr)
    {
        for (const MessageMapEntry* e = map->entries; e->kind != MsgKind::End; e++)
        {
            if ((e->kind != MsgKind::Notify && e->kind != MsgKind::NotifyEx) || e->code != code ||
                call.id < e->firstId || call.id > e->lastId)
                continue;
            call.handled = TRUE;
            e->handler(this, call);
            if (e->kind == MsgKind::Notify || call.handled)
                return TRUE;
            call.result = 0;
        }
    }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* nmhdr = reinterpret_cast<NMHDR*>(lParam);
    if (!nmhdr)
        return FALSE;
    CWnd* pChild = FromHandlePermanent(nmhdr->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    MsgCall call = {WM_NOTIFY, wParam, lParam, static_cast<UINT>(nmhdr->idFrom), nmhdr, nullptr, 0, TRUE};
    if (!DispatchNotify(call))
        return FALSE;
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    MsgCall call = {message, wParam, lParam, 0, nullptr, nullptr, 0, TRUE};
    const MessageMapEntry* e = nullptr;
    if (message == WM_COMMAND)
        e = FindEntry(MsgKind::ReflectCommand, 0, HIWORD(wParam), 0);
    else if (message == WM_NOTIFY)
    {
        call.nmhdr = reinterpret_cast<NMHDR*>(lParam);
        call.id = static_cast<UINT>(call.nmhdr->idFrom);
        e = FindEntry(MsgKind::ReflectNotify, 0, static_cast<int>(call.nmhdr->code), 0);
    }
    else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        e = FindEntry(MsgKind::ReflectCtlColor, 0, 0, 0);
    if (!e)
        return FALSE;
    e->handler(this, call);
    // A control that gives no brush leaves the colours to its parent.
    if (message != WM_COMMAND && message != WM_NOTIFY && call.result == 0)
        return FALSE;
    if (pResult)
        *pResult = call.result;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::UpdateDialogControls(CWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (state.m_nID == 0 || state.m_nID == 0xFFFF || state.m_nID == static_cast<UINT>(-1))
            continue; // static text without an id
        state.m_pOther = FromHandle(hChild);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

// ---------------------------------------------------------------- wrappers

void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    LPWSTR buffer = rString.GetBuffer(length + 1);
    int copied = ::GetWindowTextW(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer(copied < 0 ? 0 : copied);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (!hItem)
    {
        rString.Empty();
        return 0;
    }
    FromHandle(hItem)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD style = GetStyle();
    HWND hCenter = pAlternateOwner
                       ? pAlternateOwner->m_hWnd
                       : ((style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcArea;
    CRect rcCenter;
    if (style & WS_CHILD)
    {
        ::GetClientRect(hCenter, &rcArea);
        ::MapWindowPoints(hCenter, nullptr, reinterpret_cast<LPPOINT>(&rcArea), 2);
        rcCenter = rcArea;
    }
    else
    {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        HMONITOR monitor = ::MonitorFromWindow(hCenter ? hCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfoW(monitor, &info);
        rcArea = info.rcWork;
        // Over the owner when it is on screen, else over the work area.
        if (hCenter && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter))
            ::GetWindowRect(hCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - rcWindow.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcWindow.Height() / 2;
    if (!(style & WS_CHILD))
    {
        // Keep the window inside the work area.
        if (x + rcWindow.Width() > rcArea.right)
            x = rcArea.right - rcWindow.Width();
        if (x < rcArea.left)
            x = rcArea.left;
        if (y + rcWindow.Height() > rcArea.bottom)
            y = rcArea.bottom - rcWindow.Height();
        if (y < rcArea.top)
            y = rcArea.top;
    }
    else
    {
        POINT pt = {x, y};
        ::ScreenToClient(hCenter, &pt);
        x = pt.x;
        y = pt.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetExStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}

// ---------------------------------------------------------------- free functions

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    static std::set<std::wstring>* names = new std::set<std::wstring>;
    wchar_t name[96];
    std::swprintf(name, 96, L"Qm:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                  static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> guard(lock);
    auto it = names->find(name);
    if (it != names->end())
        return it->c_str();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    HINSTANCE instance = AfxGetInstanceHandle();
    if (!::GetClassInfoExW(instance, name, &wc))
    {
        wc.cbSize = sizeof(wc);
        wc.style = nClassStyle;
        // The creation hook routes the window's messages to its object.
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = instance;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassExW(&wc))
            return nullptr;
    }
    return names->insert(name).first->c_str();
}

namespace
{
HWND MessageBoxOwner()
{
    CWnd* pMain = AfxGetMainWnd();
    HWND hOwner = pMain ? pMain->m_hWnd : nullptr;
    if (hOwner)
        hOwner = ::GetLastActivePopup(::GetAncestor(hOwner, GA_ROOT));
    else
        hOwner = ::GetActiveWindow();
    return hOwner;
}

LPCWSTR MessageBoxCaption()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pszAppName : nullptr;
}
} // namespace

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT)
{
    return ::MessageBoxW(MessageBoxOwner(), lpszText, MessageBoxCaption(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
