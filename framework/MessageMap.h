// Static message maps. Each window class that handles messages declares
// DECLARE_MESSAGE_MAP() and defines a table between BEGIN_MESSAGE_MAP(Class, Base) and
// END_MESSAGE_MAP(). A table is a constant array of entries {kind, message, notification
// code, id range, handler}; CWnd walks it from the object's own class to its bases and
// the first matching entry wins, so a derived class replaces a base class's entry.
//
// The handler of an entry is a small function made by the macro, which unpacks wParam
// and lParam and calls the member with its exact signature (checked at compile time), so
// the tables need no casts between member-pointer types. Handlers name the member as
// &Class::Handler for the generic macros (ON_COMMAND, ON_MESSAGE, ON_NOTIFY...); the
// ON_WM_xxx macros call the member of the fixed name (OnPaint, OnTimer...).
#pragma once

#include <windows.h>

#include <type_traits>

#include "framework/CDC.h"
#include "framework/CMenu.h"
#include "framework/CPoint.h"

class CWnd;
class CCmdUI;
// Scroll messages hand over the control that scrolled (a trackbar here); it is the
// control's own wrapper, so it can be compared with a member or asked for its id.
using CScrollBar = CWnd;

// Command routing codes of OnCmdMsg.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// What one handler call sees, and what it leaves as the message's result.
struct MsgCall
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;        // command id, id of the notifying control, or the id being updated
    NMHDR* nmhdr;   // WM_NOTIFY
    CCmdUI* cmdUI;  // update handlers
    LRESULT result; // returned to the sender
    BOOL handled;   // the _EX handlers may decline a message
};

enum class MsgKind : unsigned char
{
    End,
    Message,         // a window message by number
    Command,         // WM_COMMAND by notification code and id range (menus and accelerators: code 0)
    UpdateUI,        // command-update request (CCmdUI) by id range
    Notify,          // WM_NOTIFY by code and id range
    NotifyEx,        // the same; the handler's FALSE lets the search go on
    CtlColor,        // WM_CTLCOLOR* of this window's children, after reflection
    ReflectCommand,  // WM_COMMAND the parent reflected to this control, by code
    ReflectNotify,   // WM_NOTIFY the parent reflected to this control, by code
    ReflectCtlColor, // WM_CTLCOLOR* the parent reflected to this control
};

using MsgHandler = void (*)(CWnd* target, MsgCall& call);

struct MessageMapEntry
{
    MsgKind kind;
    UINT message;
    int code;
    UINT firstId;
    UINT lastId;
    MsgHandler handler;
};

struct MessageMap
{
    const MessageMap* (*getBase)();
    const MessageMapEntry* entries;
};

// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const MessageMap* GetThisMessageMap();                                                            \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }                        \
    const MessageMap* theClass::GetThisMessageMap()                                                          \
    {                                                                                                        \
        using ThisClass = theClass;                                                                          \
        using TheBaseClass = baseClass;                                                                      \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
            {MsgKind::End, 0, 0, 0, 0, nullptr}};                                                            \
        static_assert(std::is_base_of<TheBaseClass, ThisClass>::value,                                       \
                      "message map of a class not derived from its base");                                   \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                           \
        return &map;                                                                                         \
    }
// clang-format on

// One entry whose handler runs the statement given last, with qmSelf (the object as
// ThisClass*) and qmCall (the MsgCall) in scope.
#define QM_MAP_ENTRY(kind, message, code, first, last, ...)                                                  \
    {MsgKind::kind,                                                                                          \
     static_cast<UINT>(message),                                                                             \
     static_cast<int>(code),                                                                                 \
     static_cast<UINT>(first),                                                                               \
     static_cast<UINT>(last),                                                                                \
     [](CWnd* qmTarget, MsgCall& qmCall)                                                                     \
     {                                                                                                       \
         ThisClass* qmSelf = static_cast<ThisClass*>(qmTarget);                                              \
         (void)qmSelf;                                                                                       \
         (void)qmCall;                                                                                       \
         __VA_ARGS__;                                                                                        \
     }},

// Calls member pointer fn of signature sig on qmSelf.
#define QM_CALL(sig, fn) (qmSelf->*static_cast<sig>(fn))

// Signed coordinates of a mouse message (windowsx.h is not used: its macros clash with
// member names such as SubclassWindow).
#define QM_POINT_LPARAM                                                                                      \
    CPoint(static_cast<short>(LOWORD(qmCall.lParam)), static_cast<short>(HIWORD(qmCall.lParam)))

// ---- window messages with fixed handler names
#define ON_WM_CREATE()                                                                                       \
    QM_MAP_ENTRY(Message, WM_CREATE, 0, 0, 0,                                                                \
                 qmCall.result = QM_CALL(int(ThisClass::*)(LPCREATESTRUCT), &ThisClass::OnCreate)(           \
                     reinterpret_cast<LPCREATESTRUCT>(qmCall.lParam)))
#define ON_WM_DESTROY()                                                                                      \
    QM_MAP_ENTRY(Message, WM_DESTROY, 0, 0, 0, QM_CALL(void (ThisClass::*)(), &ThisClass::OnDestroy)())
#define ON_WM_CLOSE()                                                                                        \
    QM_MAP_ENTRY(Message, WM_CLOSE, 0, 0, 0, QM_CALL(void (ThisClass::*)(), &ThisClass::OnClose)())
#define ON_WM_PAINT()                                                                                        \
    QM_MAP_ENTRY(Message, WM_PAINT, 0, 0, 0, QM_CALL(void (ThisClass::*)(), &ThisClass::OnPaint)())
#define ON_WM_ERASEBKGND()                                                                                   \
    QM_MAP_ENTRY(Message, WM_ERASEBKGND, 0, 0, 0,                                                            \
                 qmCall.result = QM_CALL(BOOL(ThisClass::*)(CDC*), &ThisClass::OnEraseBkgnd)(                \
                     CDC::FromHandle(reinterpret_cast<HDC>(qmCall.wParam))))
#define ON_WM_CTLCOLOR()                                                                                     \
    QM_MAP_ENTRY(                                                                                            \
        CtlColor, 0, 0, 0, 0,                                                                                \
        qmCall.result = reinterpret_cast<LRESULT>(QM_CALL(HBRUSH(ThisClass::*)(CDC*, CWnd*, UINT),           \
                                                          &ThisClass::OnCtlColor)(                           \
            CDC::FromHandle(reinterpret_cast<HDC>(qmCall.wParam)),                                           \
            CWnd::FromHandle(reinterpret_cast<HWND>(qmCall.lParam)), qmCall.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    QM_MAP_ENTRY(                                                                                            \
        ReflectCtlColor, 0, 0, 0, 0,                                                                         \
        qmCall.result =                                                                                      \
            reinterpret_cast<LRESULT>(QM_CALL(HBRUSH(ThisClass::*)(CDC*, UINT), &ThisClass::CtlColor)(       \
                CDC::FromHandle(reinterpret_cast<HDC>(qmCall.wParam)), qmCall.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_TIMER()                                                                                        \
    QM_MAP_ENTRY(                                                                                            \
        Message, WM_TIMER, 0, 0, 0,                                                                          \
        QM_CALL(void (ThisClass::*)(UINT_PTR), &ThisClass::OnTimer)(static_cast<UINT_PTR>(qmCall.wParam)))
#define ON_WM_SYSCOMMAND()                                                                                   \
    QM_MAP_ENTRY(Message, WM_SYSCOMMAND, 0, 0, 0,                                                            \
                 QM_CALL(void (ThisClass::*)(UINT, LPARAM),                                                  \
                         &ThisClass::OnSysCommand)(static_cast<UINT>(qmCall.wParam), qmCall.lParam))
#define ON_WM_HSCROLL()                                                                                      \
    QM_MAP_ENTRY(Message, WM_HSCROLL, 0, 0, 0,                                                               \
                 QM_CALL(void (ThisClass::*)(UINT, UINT, CScrollBar*),                                       \
                         &ThisClass::OnHScroll)(LOWORD(qmCall.wParam), HIWORD(qmCall.wParam),                \
                                                CWnd::FromHandle(reinterpret_cast<HWND>(qmCall.lParam))))
#define ON_WM_VSCROLL()                                                                                      \
    QM_MAP_ENTRY(Message, WM_VSCROLL, 0, 0, 0,                                                               \
                 QM_CALL(void (ThisClass::*)(UINT, UINT, CScrollBar*),                                       \
                         &ThisClass::OnVScroll)(LOWORD(qmCall.wParam), HIWORD(qmCall.wParam),                \
                                                CWnd::FromHandle(reinterpret_cast<HWND>(qmCall.lParam))))
#define ON_WM_MOUSEWHEEL()                                                                                   \
    QM_MAP_ENTRY(                                                                                            \
        Message, WM_MOUSEWHEEL, 0, 0, 0,                                                                     \
        qmCall.result = QM_CALL(BOOL(ThisClass::*)(UINT, short, CPoint), &ThisClass::OnMouseWheel)(          \
            GET_KEYSTATE_WPARAM(qmCall.wParam), GET_WHEEL_DELTA_WPARAM(qmCall.wParam), QM_POINT_LPARAM))
#define QM_ON_MOUSE(message, fn)                                                                             \
    QM_MAP_ENTRY(Message, message, 0, 0, 0,                                                                  \
                 QM_CALL(void (ThisClass::*)(UINT, CPoint),                                                  \
                         &ThisClass::fn)(static_cast<UINT>(qmCall.wParam), QM_POINT_LPARAM))
#define ON_WM_LBUTTONDOWN() QM_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONDBLCLK() QM_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_MBUTTONDOWN() QM_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONDBLCLK() QM_ON_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_RBUTTONDOWN() QM_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONDBLCLK() QM_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MOUSEMOVE() QM_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_SETCURSOR()                                                                                    \
    QM_MAP_ENTRY(Message, WM_SETCURSOR, 0, 0, 0,                                                             \
                 qmCall.result = QM_CALL(BOOL(ThisClass::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)(    \
                     CWnd::FromHandle(reinterpret_cast<HWND>(qmCall.wParam)), LOWORD(qmCall.lParam),         \
                     HIWORD(qmCall.lParam)))
#define ON_WM_QUERYENDSESSION()                                                                              \
    QM_MAP_ENTRY(Message, WM_QUERYENDSESSION, 0, 0, 0,                                                       \
                 qmCall.result = QM_CALL(BOOL(ThisClass::*)(), &ThisClass::OnQueryEndSession)())
#define ON_WM_ENDSESSION()                                                                                   \
    QM_MAP_ENTRY(                                                                                            \
        Message, WM_ENDSESSION, 0, 0, 0,                                                                     \
        QM_CALL(void (ThisClass::*)(BOOL), &ThisClass::OnEndSession)(static_cast<BOOL>(qmCall.wParam)))
#define ON_WM_QUERYDRAGICON()                                                                                \
    QM_MAP_ENTRY(Message, WM_QUERYDRAGICON, 0, 0, 0,                                                         \
                 qmCall.result = reinterpret_cast<LRESULT>(                                                  \
                     QM_CALL(HCURSOR(ThisClass::*)(), &ThisClass::OnQueryDragIcon)()))
#define ON_WM_INITMENUPOPUP()                                                                                \
    QM_MAP_ENTRY(Message, WM_INITMENUPOPUP, 0, 0, 0,                                                         \
                 QM_CALL(void (ThisClass::*)(CMenu*, UINT, BOOL), &ThisClass::OnInitMenuPopup)(              \
                     CMenu::FromHandle(reinterpret_cast<HMENU>(qmCall.wParam)), LOWORD(qmCall.lParam),       \
                     static_cast<BOOL>(HIWORD(qmCall.lParam))))
#define ON_WM_SETTINGCHANGE()                                                                                \
    QM_MAP_ENTRY(Message, WM_SETTINGCHANGE, 0, 0, 0,                                                         \
                 QM_CALL(void (ThisClass::*)(UINT, LPCWSTR), &ThisClass::OnSettingChange)(                   \
                     static_cast<UINT>(qmCall.wParam), reinterpret_cast<LPCWSTR>(qmCall.lParam)))

// ---- any message: LRESULT Handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                                       \
    QM_MAP_ENTRY(Message, message, 0, 0, 0,                                                                  \
                 qmCall.result = QM_CALL(LRESULT(ThisClass::*)(WPARAM, LPARAM), memberFxn)(qmCall.wParam,    \
                                                                                           qmCall.lParam))

// ---- commands: menus, accelerators and control notifications through WM_COMMAND
#define ON_COMMAND(id, memberFxn)                                                                            \
    QM_MAP_ENTRY(Command, 0, CN_COMMAND, id, id, QM_CALL(void (ThisClass::*)(), memberFxn)())
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                                         \
    QM_MAP_ENTRY(Command, 0, CN_COMMAND, idFirst, idLast,                                                    \
                 QM_CALL(void (ThisClass::*)(UINT), memberFxn)(qmCall.id))
#define ON_CONTROL(notifyCode, id, memberFxn)                                                                \
    QM_MAP_ENTRY(Command, 0, notifyCode, id, id, QM_CALL(void (ThisClass::*)(), memberFxn)())
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    QM_MAP_ENTRY(UpdateUI, 0, CN_UPDATE_COMMAND_UI, id, id,                                                  \
                 QM_CALL(void (ThisClass::*)(CCmdUI*), memberFxn)(qmCall.cmdUI))
#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, memberFxn)                                               \
    QM_MAP_ENTRY(UpdateUI, 0, CN_UPDATE_COMMAND_UI, idFirst, idLast,                                         \
                 QM_CALL(void (ThisClass::*)(CCmdUI*), memberFxn)(qmCall.cmdUI))

// ---- notifications through WM_NOTIFY: void Handler(NMHDR*, LRESULT*)
#define ON_NOTIFY(notifyCode, id, memberFxn)                                                                 \
    QM_MAP_ENTRY(Notify, WM_NOTIFY, notifyCode, id, id,                                                      \
                 QM_CALL(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)(qmCall.nmhdr, &qmCall.result))
// BOOL Handler(UINT id, NMHDR*, LRESULT*); FALSE passes the notification on. Ids are
// compared as 32-bit values (a tool known by its window handle has that handle as id).
#define ON_NOTIFY_EX_RANGE(notifyCode, idFirst, idLast, memberFxn)                                           \
    QM_MAP_ENTRY(NotifyEx, WM_NOTIFY, notifyCode, idFirst, idLast,                                           \
                 qmCall.handled = QM_CALL(BOOL(ThisClass::*)(UINT, NMHDR*, LRESULT*),                        \
                                          memberFxn)(qmCall.id, qmCall.nmhdr, &qmCall.result))

// ---- notifications the parent reflects to the control that sent them
#define ON_NOTIFY_REFLECT(notifyCode, memberFxn)                                                             \
    QM_MAP_ENTRY(ReflectNotify, WM_NOTIFY, notifyCode, 0, 0,                                                 \
                 QM_CALL(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)(qmCall.nmhdr, &qmCall.result))
#define ON_CONTROL_REFLECT(notifyCode, memberFxn)                                                            \
    QM_MAP_ENTRY(ReflectCommand, WM_COMMAND, notifyCode, 0, 0, QM_CALL(void (ThisClass::*)(), memberFxn)())
