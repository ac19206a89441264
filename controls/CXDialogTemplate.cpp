#include "controls/CXDialogTemplate.h"

#include <cstddef>

#include "controls/MsgBoxLayout.h"
#include "framework/CallbackGuard.h"

namespace
{
constexpr UINT_PTR kCountdownTimer = 1;
constexpr UINT_PTR kDisabledTimer = 2;

std::wstring LoadResString(HINSTANCE module, UINT id)
{
    std::vector<wchar_t> buf(65536);
    const int n = ::LoadStringW(module ? module : ::GetModuleHandleW(nullptr), id, buf.data(),
                                static_cast<int>(buf.size()));
    return n > 0 ? std::wstring(buf.data(), static_cast<size_t>(n)) : std::wstring();
}

// A string, or a string id in place of the pointer.
std::wstring TextOrResource(LPCWSTR p, HINSTANCE module)
{
    if (!p)
        return std::wstring();
    if (IS_INTRESOURCE(p))
        return LoadResString(module, static_cast<UINT>(reinterpret_cast<UINT_PTR>(p)));
    std::wstring s(p);
    if (s.size() > 65535)
        s.resize(65535);
    return s;
}

std::wstring Bounded(const wchar_t* p, size_t max)
{
    size_t n = 0;
    while (n < max && p[n])
        ++n;
    return std::wstring(p, n);
}

std::wstring WindowText(HWND hWnd, int max)
{
    std::vector<wchar_t> buf(static_cast<size_t>(max) + 1);
    const int n = ::GetWindowTextW(hWnd, buf.data(), max + 1);
    return std::wstring(buf.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

bool IsButtonClass(HWND hWnd)
{
    wchar_t cls[32] = {};
    ::GetClassNameW(hWnd, cls, 32);
    return ::lstrcmpiW(cls, L"Button") == 0;
}

// Measuring DC of the display with the message font selected.
class MeasureDC
{
public:
    MeasureDC(HFONT font) : m_hDC(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr))
    {
        if (m_hDC)
            m_hOld = ::SelectObject(m_hDC, font);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    ~MeasureDC()
    {
        if (m_hDC)
        {
            ::SelectObject(m_hDC, m_hOld);
            ::DeleteDC(m_hDC);
        }
    }
    SIZE Extent(const std::wstring& s) const
    {
        SIZE sz = {0, 0};
        if (m_hDC)
            ::GetTextExtentPoint32W(m_hDC, s.c_str(), static_cast<int>(s.size()), &sz);
        return sz;
    }
    HDC m_hDC;

private:
    HGDIOBJ m_hOld = nullptr;
};
} // namespace

CXDialogTemplate::CXDialogTemplate(HWND hWndOwner, LPCWSTR text, LPCWSTR caption, UINT style,
                                   const XMsgBoxParams& params)
    : m_params(params), m_style(style), m_hWndOwner(hWndOwner)
{
    m_vista = (m_params.layoutOptions & XMB_OPT_VISTA_LOOK) != 0;
    const bool rightButtons = m_vista || (m_params.layoutOptions & XMB_OPT_RIGHT_BUTTONS);
    if (m_vista && m_params.backgroundColour == static_cast<COLORREF>(-1))
        m_params.backgroundColour = ::GetSysColor(COLOR_WINDOW);
    if (m_params.backgroundColour != static_cast<COLORREF>(-1))
        m_brush.CreateSolidBrush(m_params.backgroundColour);

    const LONG units = ::GetDialogBaseUnits();
    m_baseX = LOWORD(units);
    m_baseY = HIWORD(units);
    int buttonWidth = ::MulDiv(38, m_baseX, 4);
    int buttonHeight = ::MulDiv(12, m_baseY, 8);
    const int countdownExtra = ::MulDiv(13, m_baseX, 4);
    const int checkboxHeight = ::MulDiv(10, m_baseY, 8);
    if (m_vista)
    {
        buttonWidth += ::MulDiv(6, m_baseX, 4);
        buttonHeight += ::MulDiv(1, m_baseY, 8);
    }
    m_defaultButtonNumber = MsgBoxDefaultButtonNumber(style);

    m_text = TextOrResource(text, m_params.stringModule);
    m_caption = caption ? TextOrResource(caption, m_params.stringModule) : std::wstring(L"Error");
    std::wstring custom;
    if (m_params.customButtonsId)
        custom =
            LoadResString(m_params.stringModule, static_cast<UINT>(m_params.customButtonsId)).substr(0, 259);
    if (custom.empty())
        custom = Bounded(m_params.customButtonsText, 259);
    const std::vector<std::wstring> customCaptions = SplitCustomButtons(custom);
    LoadCaptions(m_params);

    NONCLIENTMETRICSW ncm = {};
    // Without the last field, which older systems reject.
    ncm.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        m_font.CreateFontIndirect(&ncm.lfMessageFont);
    else
        m_font.Attach(::GetStockObject(DEFAULT_GUI_FONT));
    MeasureDC dc(static_cast<HFONT>(m_font.GetSafeHandle()));

    const int countdown = m_params.countdownSeconds != 0 ? countdownExtra : 0;
    int captionWidths[XMB_CAPTION_COUNT];
    for (int i = 0; i < XMB_CAPTION_COUNT; ++i)
        captionWidths[i] =
            std::max(static_cast<int>(dc.Extent(m_captions[i]).cx) + 20, buttonWidth) + countdown;

    const bool styleHasIcon = (style & 0xF0) != 0;
    const int iconCx = ::GetSystemMetrics(SM_CXICON);
    const int iconCy = ::GetSystemMetrics(SM_CYICON);
    const int limit = MsgBoxTextLimit(::GetSystemMetrics(SM_CXSCREEN), m_vista,
                                      (m_params.layoutOptions & XMB_OPT_NARROW) != 0, styleHasIcon, iconCx);
    RECT measured = {0, 0, limit, limit};
    if (dc.m_hDC)
        ::DrawTextW(dc.m_hDC, m_text.c_str(), static_cast<int>(m_text.size()), &measured,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);

    // Icon: the caller's own, else the style's.
    if (m_params.iconResourceId || m_params.iconResourceName[0])
    {
        HINSTANCE module = m_params.iconModule ? m_params.iconModule : ::GetModuleHandleW(nullptr);
        LPCWSTR name = m_params.iconResourceId ? MAKEINTRESOURCEW(m_params.iconResourceId & 0xFFFF)
                                               : m_params.iconResourceName;
        m_hIcon = static_cast<HICON>(::LoadImageW(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        m_ownIcon = m_hIcon != nullptr;
    }
    else if (styleHasIcon)
    {
        LPCWSTR id = IDI_EXCLAMATION;
        switch (style & 0xF0)
        {
        case MB_ICONHAND:
            id = IDI_HAND;
            break;
        case MB_ICONQUESTION:
            id = IDI_QUESTION;
            break;
        case MB_ICONASTERISK:
            id = IDI_ASTERISK;
            break;
        }
        m_hIcon = ::LoadIconW(nullptr, id);
    }

    const std::vector<MsgBoxButton> buttons = MsgBoxButtons(style, static_cast<int>(customCaptions.size()),
                                                            m_params.reportCallback != nullptr, &m_boxFlags);
    MsgBoxLayoutInput in;
    in.vista = m_vista;
    in.rightButtons = rightButtons;
    in.hasBrush = m_brush.GetSafeHandle() != nullptr;
    in.hasIcon = m_hIcon != nullptr;
    in.icon = {iconCx, iconCy};
    in.text = {measured.right, measured.bottom};
    in.oneLineHeight = dc.Extent(L"My").cy;
    in.buttonHeight = buttonHeight;
    std::vector<std::wstring> buttonTexts;
    for (const MsgBoxButton& b : buttons)
    {
        if (b.captionIndex < 0)
        {
            const std::wstring& c = customCaptions[static_cast<size_t>(b.customIndex)];
            in.buttonWidths.push_back(std::max(static_cast<int>(dc.Extent(c).cx) + 20, buttonWidth) +
                                      countdown);
            buttonTexts.push_back(c);
        }
        else
        {
            in.buttonWidths.push_back(captionWidths[b.captionIndex]);
            buttonTexts.push_back(m_captions[b.captionIndex]);
        }
    }
    const int checkCaption = MsgBoxCheckboxCaption(m_boxFlags);
    m_hasCheckbox = checkCaption >= 0;
    if (m_hasCheckbox)
        in.checkboxWidth = captionWidths[checkCaption] + checkboxHeight;
    in.checkboxHeight = checkboxHeight;
    const MsgBoxLayoutResult lay = LayOutMsgBox(in);
    m_textRect = lay.text;

    m_header.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME;
    if (style & MB_SYSTEMMODAL)
        m_header.style |= DS_SYSMODAL;
    m_header.title = m_caption.substr(0, 1023);
    if (m_hIcon)
        AddItem(CXDialogItem::Static, XMB_ID_ICON, lay.icon, std::wstring(), false);
    AddItem(CXDialogItem::Static, XMB_ID_TEXT, lay.text, m_text, true);
    for (size_t i = 0; i < buttons.size(); ++i)
        AddItem(CXDialogItem::PushButton, buttons[i].id, lay.buttons[i], buttonTexts[i], false);
    if (m_hasCheckbox)
        AddItem(CXDialogItem::CheckBox, XMB_ID_CHECKBOX, lay.checkbox, m_captions[checkCaption], false);
    // A default number beyond the buttons present selects the first.
    if (m_buttonCount < m_defaultButtonNumber)
        for (auto& it : m_items)
            if (it->m_data.classAtom == 0x0080 && it->m_data.id != XMB_ID_CHECKBOX)
            {
                it->m_data.style |= BS_DEFPUSHBUTTON;
                m_defaultButtonId = it->m_data.id;
                break;
            }
    m_header.cx = static_cast<short>(lay.dialog.right * 4 / m_baseX);
    m_header.cy = static_cast<short>(lay.dialog.bottom * 8 / m_baseY);
}

CXDialogTemplate::~CXDialogTemplate()
{
    if (m_ownIcon)
        ::DestroyIcon(m_hIcon);
}

void CXDialogTemplate::LoadCaptions(const XMsgBoxParams& params)
{
    for (int i = 0; i < XMB_CAPTION_COUNT; ++i)
        m_captions[i] = kMsgBoxCaptions[i].text;
    std::wstring report;
    if (params.reportCaptionId)
        report = LoadResString(params.stringModule, static_cast<UINT>(params.reportCaptionId));
    if (report.empty())
        report = Bounded(params.reportCaptionText, 99);
    if (!report.empty())
        m_captions[kReportCaptionIndex] = report.substr(0, 99);

    for (int i = 0; i < XMB_CAPTION_COUNT; ++i)
    {
        if (i == kReportCaptionIndex)
            continue;
        if (params.useOwnCaptions)
        {
            if (params.ownCaptions[i][0])
                m_captions[i] = Bounded(params.ownCaptions[i], 99);
        }
        else if (!(m_style & XMB_NO_STRING_LOAD))
        {
            const std::wstring s = LoadResString(params.stringModule, kMsgBoxCaptions[i].stringId);
            if (!s.empty())
                m_captions[i] = s.substr(0, 99);
        }
    }
}

void CXDialogTemplate::AddItem(CXDialogItem::Kind kind, int id, const RECT& pixels, const std::wstring& text,
                               bool textStatic)
{
    if (m_items.size() >= 20)
        return;
    bool isDefault = false;
    if (kind == CXDialogItem::PushButton)
    {
        ++m_buttonCount;
        // A default number beyond the buttons present falls back to the first.
        isDefault = m_buttonCount == m_defaultButtonNumber;
        if (isDefault)
            m_defaultButtonId = id;
    }
    auto item = std::make_unique<CXDialogItem>();
    item->Init(kind, id, &pixels, text.c_str(), isDefault, m_baseX, m_baseY, textStatic);
    m_items.push_back(std::move(item));
}

std::vector<DialogItemData> CXDialogTemplate::Items() const
{
    std::vector<DialogItemData> v;
    for (const auto& it : m_items)
        v.push_back(it->m_data);
    return v;
}

int CXDialogTemplate::RunMessageBox()
{
    const std::vector<DialogItemData> items = Items();
    const size_t size = DialogTemplateSize(m_header, items);
    HLOCAL hMem = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, size);
    if (!hMem)
        return IDCANCEL;
    void* p = ::LocalLock(hMem);
    if (!p)
    {
        ::LocalFree(hMem);
        return IDCANCEL;
    }
    WriteDialogTemplate(p, m_header, items);
    HWND hWnd = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), static_cast<LPCDLGTEMPLATEW>(p),
                                             m_hWndOwner, MsgBoxDlgProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd)
    {
        ::LocalUnlock(hMem);
        ::LocalFree(hMem);
        return -1;
    }

    // The top-level owner: a child page as owner would leave the main window live.
    HWND hWndTop = m_hWndOwner ? ::GetAncestor(m_hWndOwner, GA_ROOT) : nullptr;
    const bool wasEnabled = hWndTop && ::IsWindowEnabled(hWndTop);
    if (wasEnabled)
        ::EnableWindow(hWndTop, FALSE);

    bool quit = false;
    WPARAM quitCode = 0;
    while (!m_ended)
    {
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                quit = true;
                quitCode = msg.wParam;
                break;
            }
            if (msg.message == WM_KEYDOWN && OnKeyDown(hWnd, msg.wParam, msg.lParam))
                continue;
            if (!::IsDialogMessageW(hWnd, &msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        else if (!m_ended)
        {
            ::WaitMessage();
        }
    }

    if (wasEnabled && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    ::DestroyWindow(hWnd);
    ::LocalUnlock(hMem);
    ::LocalFree(hMem);
    if (quit)
        ::PostQuitMessage(static_cast<int>(quitCode));
    return m_result;
}

bool CXDialogTemplate::OnKeyDown(HWND hWndBox, WPARAM wParam, LPARAM)
{
    if (wParam != 0x43 || ::GetAsyncKeyState(VK_CONTROL) >= 0)
        return false;
    std::vector<std::wstring> captions;
    for (HWND h = ::GetWindow(hWndBox, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (IsButtonClass(h))
            captions.push_back(WindowText(h, 199));
    HWND hText = ::GetDlgItem(hWndBox, XMB_ID_TEXT);
    const std::wstring text = hText ? WindowText(hText, 4000) : std::wstring();
    CopyToClipboard(hWndBox,
                    MsgBoxClipboardText(WindowText(hWndBox, 1000), hText ? &text : nullptr, captions));
    return true;
}

bool CXDialogTemplate::CopyToClipboard(HWND hWndOwner, const std::wstring& text)
{
    if (!::OpenClipboard(hWndOwner))
        return false;
    ::EmptyClipboard();
    bool placed = false;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes))
    {
        if (void* p = ::GlobalLock(hMem))
        {
            memcpy(p, text.c_str(), bytes);
            ::GlobalUnlock(hMem);
            placed = ::SetClipboardData(CF_UNICODETEXT, hMem) != nullptr;
        }
        // The clipboard owns the block only once SetClipboardData succeeded.
        if (!placed)
            ::GlobalFree(hMem);
    }
    ::CloseClipboard();
    return placed;
}

INT_PTR CALLBACK CXDialogTemplate::MsgBoxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, lParam);
    auto* self = reinterpret_cast<CXDialogTemplate*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY)
    {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        return FALSE;
    }
    INT_PTR result = FALSE;
    CallbackGuard::Run(L"a message box handler",
                       [&] { result = self->OnMessage(hWnd, message, wParam, lParam); });
    return result;
}

LRESULT CALLBACK CXDialogTemplate::MsgBoxIconProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        ::DrawIcon(hDC, 0, 0, reinterpret_cast<HICON>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA)));
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    if (message == WM_NCDESTROY)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return 0;
}

INT_PTR CXDialogTemplate::OnMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_INITDIALOG:
        OnInitDialog(hWnd);
        return FALSE;
    case WM_COMMAND:
        OnCommand(hWnd, wParam);
        return TRUE;
    case WM_TIMER:
        OnTimer(hWnd, static_cast<UINT_PTR>(wParam));
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        StopCountdown(hWnd);
        return FALSE;
    case WM_CTLCOLORSTATIC:
        if (m_brush.GetSafeHandle())
        {
            HDC hDC = reinterpret_cast<HDC>(wParam);
            const COLORREF none = static_cast<COLORREF>(-1);
            ::SetBkColor(hDC, m_params.backgroundColour == none ? ::GetSysColor(COLOR_WINDOW)
                                                                : m_params.backgroundColour);
            ::SetTextColor(hDC, m_params.textColour == none ? ::GetSysColor(COLOR_WINDOWTEXT)
                                                            : m_params.textColour);
            if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == XMB_ID_TEXT)
                return reinterpret_cast<INT_PTR>(m_brush.GetSafeHandle());
        }
        return FALSE;
    case WM_ERASEBKGND:
        if (m_brush.GetSafeHandle())
        {
            HDC hDC = reinterpret_cast<HDC>(wParam);
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
            rc.bottom = m_textRect.bottom;
            ::FillRect(hDC, &rc, static_cast<HBRUSH>(m_brush.GetSafeHandle()));
            ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void CXDialogTemplate::OnInitDialog(HWND hWnd)
{
    const WPARAM font = reinterpret_cast<WPARAM>(m_font.GetSafeHandle());
    for (int id = XMB_ID_TEXT;; ++id)
    {
        HWND h = ::GetDlgItem(hWnd, id);
        if (!h)
            break;
        ::SendMessageW(h, WM_SETFONT, font, FALSE);
    }
    for (int id : {XMB_ID_HELP, XMB_ID_CHECKBOX, XMB_ID_REPORT})
        if (HWND h = ::GetDlgItem(hWnd, id))
            ::SendMessageW(h, WM_SETFONT, font, FALSE);
    for (int id = 1; id <= XMB_ID_CUSTOM4; ++id)
        if (HWND h = ::GetDlgItem(hWnd, id))
            ::SendMessageW(h, WM_SETFONT, font, FALSE);
    ::CheckDlgButton(hWnd, XMB_ID_CHECKBOX, BST_UNCHECKED);

    HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    if (m_params.disabledSeconds > 0)
    {
        m_buttonsDisabled = true;
        EnableButtons(hWnd, FALSE);
        ::EnableMenuItem(hSysMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }
    if (HWND hDef = ::GetDlgItem(hWnd, m_defaultButtonId))
        ::SetFocus(hDef);
    if (!(m_boxFlags & (kBoxEscCancel | kBoxEscOk)))
        ::EnableMenuItem(hSysMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    if (m_hIcon)
        if (HWND hIcon = ::GetDlgItem(hWnd, XMB_ID_ICON))
        {
            ::SetWindowLongPtrW(hIcon, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_hIcon));
            ::SetWindowLongPtrW(hIcon, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MsgBoxIconProc));
        }
    if (m_style & MB_TOPMOST)
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    if (m_params.windowX || m_params.windowY)
    {
        ::MoveWindow(hWnd, m_params.windowX, m_params.windowY, w, h, TRUE);
    }
    else if (m_hWndOwner)
    {
        // Over the owner's window as a whole, also when a child control or page owns the box.
        RECT ro;
        ::GetWindowRect(::GetAncestor(m_hWndOwner, GA_ROOT), &ro);
        ::MoveWindow(hWnd, (ro.left + ro.right) / 2 - w / 2, (ro.top + ro.bottom) / 2 - h / 2, w, h, TRUE);
    }
    if (m_params.countdownSeconds > 0)
        ::SetTimer(hWnd, kCountdownTimer, 1000, nullptr);
    if (m_params.disabledSeconds > 0)
        ::SetTimer(hWnd, kDisabledTimer, 1000, nullptr);
    ::SetForegroundWindow(hWnd);
}

void CXDialogTemplate::StopCountdown(HWND hWnd)
{
    ::KillTimer(hWnd, kCountdownTimer);
    if (!m_savedDefaultCaption.empty())
        ::SetDlgItemTextW(hWnd, m_defaultButtonId, m_savedDefaultCaption.c_str());
}

void CXDialogTemplate::EnableButtons(HWND hWnd, BOOL enable)
{
    for (int id = 1; id <= XMB_ID_CUSTOM4; ++id)
        if (HWND h = ::GetDlgItem(hWnd, id))
            if (IsButtonClass(h))
                ::EnableWindow(h, enable);
}

void CXDialogTemplate::OnCommand(HWND hWnd, WPARAM wParam)
{
    StopCountdown(hWnd);
    const UINT cmd = static_cast<UINT>(wParam);
    switch (cmd)
    {
    case IDCANCEL:
        // Esc and the close box do not end the box while its buttons are still disabled.
        if (m_buttonsDisabled)
            return;
        if (m_boxFlags & kBoxEscCancel)
            m_result = IDCANCEL;
        else if (m_boxFlags & kBoxEscOk)
            m_result = IDOK;
        else
            return;
        m_ended = true;
        return;
    case 8: // IDCLOSE
    case XMB_ID_CHECKBOX:
        return;
    case XMB_ID_HELP:
        OnHelp(hWnd);
        return;
    case XMB_ID_REPORT:
        if (m_params.reportCallback)
            m_params.reportCallback(m_text.c_str(), m_params.reportData);
        return;
    default:
        break;
    }
    UINT result = cmd;
    const bool ticked = m_hasCheckbox && ::IsDlgButtonChecked(hWnd, XMB_ID_CHECKBOX) == BST_CHECKED;
    if (ticked)
    {
        result |= static_cast<UINT>(m_boxFlags & 7) << 24;
        if (m_params.answerKey && m_params.answerKey[0])
            WriteDontAskValue(m_params.registryCompany,
                              DontAskValueName(m_params.answerKey, m_params.answerKeyNumber).c_str(), result);
    }
    m_result = static_cast<int>(result);
    m_ended = true;
}

void CXDialogTemplate::OnTimer(HWND hWnd, UINT_PTR id)
{
    if (id == kCountdownTimer)
    {
        HWND hDef = ::GetDlgItem(hWnd, m_defaultButtonId);
        if (m_params.countdownSeconds > 0 && hDef)
        {
            if (m_savedDefaultCaption.empty())
                m_savedDefaultCaption = WindowText(hDef, 99);
            ::SetWindowTextW(hDef,
                             CountdownCaption(m_savedDefaultCaption, m_params.countdownSeconds).c_str());
            --m_params.countdownSeconds;
        }
        else
        {
            ::KillTimer(hWnd, kCountdownTimer);
            ::SendMessageW(hWnd, WM_COMMAND,
                           static_cast<WPARAM>(static_cast<UINT>(m_defaultButtonId) | XMB_TIMEOUT), 0);
        }
    }
    else if (id == kDisabledTimer)
    {
        if (m_params.disabledSeconds > 0)
        {
            const std::wstring title = m_header.title + L" " + std::to_wstring(m_params.disabledSeconds);
            ::SetWindowTextW(hWnd, title.c_str());
            --m_params.disabledSeconds;
        }
        else
        {
            ::KillTimer(hWnd, kDisabledTimer);
            m_buttonsDisabled = false;
            EnableButtons(hWnd, TRUE);
            if (m_boxFlags & (kBoxEscCancel | kBoxEscOk))
                ::EnableMenuItem(::GetSystemMenu(hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
            ::SetWindowTextW(hWnd, m_header.title.c_str());
            ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
}

void CXDialogTemplate::OnHelp(HWND hWnd)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    const size_t dot = p.rfind(L'.');
    if (p.empty() || dot == std::wstring::npos)
        return;
    p = p.substr(0, dot) + L".hlp";
    if (m_params.helpContextId)
        ::WinHelpW(hWnd, p.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(m_params.helpContextId));
    else
        ::WinHelpW(hWnd, p.c_str(), HELP_PARTIALKEY, 0);
}
