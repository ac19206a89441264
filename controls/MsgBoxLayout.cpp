#include "controls/MsgBoxLayout.h"

#include <algorithm>

#include "controls/XMessageBox.h"

const MsgBoxCaption kMsgBoxCaptions[19] = {
    {9005, L"&Abort"},
    {9002, L"Cancel"},
    {9009, L"&Continue"},
    {9010, L"Don't ask me again"},
    {9011, L"Don't tell me again"},
    {9012, L"Don't show again"},
    {9006, L"&Help"},
    {9003, L"&Ignore"},
    {9017, L"I&gnore All"},
    {9008, L"&No"},
    {9014, L"N&o to All"},
    {9001, L"OK"},
    {9016, L"Re&port"},
    {9004, L"&Retry"},
    {9018, L"&Skip"},
    {9019, L"S&kip All"},
    {9015, L"&Try Again"},
    {9007, L"&Yes"},
    {9013, L"Y&es to All"},
};

namespace
{
enum Caption
{
    kAbort = 0,
    kCancel = 1,
    kContinue = 2,
    kIgnore = 7,
    kIgnoreAll = 8,
    kNo = 9,
    kNoToAll = 10,
    kOk = 11,
    kRetry = 13,
    kSkip = 14,
    kSkipAll = 15,
    kTryAgain = 16,
    kYes = 17,
    kYesToAll = 18,
};

void Add(std::vector<MsgBoxButton>& v, int caption, int id)
{
    v.push_back({caption, id, -1});
}
} // namespace

std::vector<MsgBoxButton> MsgBoxButtons(UINT style, int customCount, bool report, int* pBoxFlags)
{
    std::vector<MsgBoxButton> v;
    int flags = 0;
    if (style & XMB_CHECK_DONT_ASK)
        flags = 1;
    else if (style & XMB_CHECK_DONT_TELL)
        flags = 2;
    else if (style & XMB_CHECK_DONT_SHOW)
        flags = 4;

    if (customCount > 0)
    {
        for (int i = 0; i < customCount && i < 4; ++i)
            v.push_back({-1, XMB_ID_CUSTOM1 + i, i});
    }
    else
    {
        switch (style & 0xF)
        {
        case MB_OK:
            Add(v, kOk, IDOK);
            flags |= kBoxEscOk;
            break;
        case MB_OKCANCEL:
            Add(v, kOk, IDOK);
            Add(v, kCancel, IDCANCEL);
            flags |= kBoxEscCancel;
            break;
        case MB_ABORTRETRYIGNORE:
            Add(v, kAbort, IDABORT);
            Add(v, kRetry, IDRETRY);
            Add(v, kIgnore, IDIGNORE);
            break;
        case MB_YESNOCANCEL:
        case MB_YESNO:
            Add(v, kYes, IDYES);
            if (style & XMB_YES_TO_ALL)
                Add(v, kYesToAll, XMB_ID_YESTOALL);
            Add(v, kNo, IDNO);
            if (style & XMB_NO_TO_ALL)
                Add(v, kNoToAll, XMB_ID_NOTOALL);
            if ((style & 0xF) == MB_YESNOCANCEL)
            {
                Add(v, kCancel, IDCANCEL);
                flags |= kBoxEscCancel;
            }
            break;
        case MB_RETRYCANCEL:
            Add(v, kRetry, IDRETRY);
            Add(v, kCancel, IDCANCEL);
            flags |= kBoxEscCancel;
            break;
        case MB_CANCELTRYCONTINUE:
            Add(v, kCancel, IDCANCEL);
            Add(v, kTryAgain, IDTRYAGAIN);
            Add(v, kContinue, IDCONTINUE);
            flags |= kBoxEscCancel;
            break;
        case XMB_CONTINUE_ABORT:
            Add(v, kContinue, IDCONTINUE);
            Add(v, kAbort, IDABORT);
            break;
        case XMB_SKIP_SKIPALL_CANCEL:
            Add(v, kSkip, XMB_ID_SKIP);
            Add(v, kSkipAll, XMB_ID_SKIPALL);
            Add(v, kCancel, IDCANCEL);
            flags |= kBoxEscCancel;
            break;
        case XMB_IGNORE_IGNOREALL_CANCEL:
            Add(v, kIgnore, IDIGNORE);
            Add(v, kIgnoreAll, XMB_ID_IGNOREALL);
            Add(v, kCancel, IDCANCEL);
            flags |= kBoxEscCancel;
            break;
        default:
            Add(v, kOk, IDOK);
            break;
        }
    }
    if (style & MB_HELP)
        Add(v, kHelpCaptionIndex, XMB_ID_HELP);
    if (report)
        Add(v, kReportCaptionIndex, XMB_ID_REPORT);
    if (pBoxFlags)
        *pBoxFlags = flags;
    return v;
}

int MsgBoxDefaultButtonNumber(UINT style)
{
    switch (style & 0xF00)
    {
    case 0x100:
        return 2;
    case 0x200:
        return 3;
    case 0x300:
        return 4;
    case 0x400:
        return 5;
    case 0x500:
        return 6;
    default:
        return 1;
    }
}

int MsgBoxCheckboxCaption(int boxFlags)
{
    if (boxFlags & 1)
        return 3;
    if (boxFlags & 2)
        return 4;
    if (boxFlags & 4)
        return 5;
    return -1;
}

std::vector<std::wstring> SplitCustomButtons(const std::wstring& text)
{
    std::vector<std::wstring> v;
    size_t start = 0;
    while (start <= text.size() && v.size() < 4)
    {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            v.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return v;
}

int MsgBoxTextLimit(int screenWidth, bool vista, bool narrow, bool styleHasIcon, int iconWidth)
{
    int limit = vista ? screenWidth / 2 - 10 : screenWidth / 2 + 80;
    if (narrow)
        limit = screenWidth / 3;
    if (styleHasIcon)
        limit -= iconWidth + 16;
    return limit;
}

MsgBoxLayoutResult LayOutMsgBox(const MsgBoxLayoutInput& in)
{
    MsgBoxLayoutResult out{};
    const int tw = in.text.cx;
    const int th = in.text.cy;
    out.text = in.vista ? RECT{16, 32, tw + 28, th + 61} : RECT{16, 16, tw + 28, th + 29};
    RECT& d = out.dialog;
    d = {0, 0, in.vista ? tw + 44 : tw + 28, 0};

    if (in.hasIcon)
    {
        const int m = in.vista ? 24 : 8;
        out.text.left += m + in.icon.cx;
        out.text.right += m + in.icon.cx;
        d.right = out.text.right + (in.vista ? 24 : 8);
        out.icon = {m, m, m + in.icon.cx + 2, m + in.icon.cy + 2};
        if (in.vista && th > in.oneLineHeight)
        {
            const int h = out.text.bottom - out.text.top;
            out.text.top = m;
            out.text.bottom = m + h;
        }
    }

    int rowWidth = 0;
    for (int w : in.buttonWidths)
        rowWidth += w;
    if (!in.buttonWidths.empty())
        rowWidth += 6 * (static_cast<int>(in.buttonWidths.size()) - 1);

    const int y =
        std::max(out.text.bottom, in.hasIcon ? out.icon.bottom : 0) + (in.hasIcon || in.hasBrush ? 14 : 5);
    d.bottom = y + in.buttonHeight + 12;
    d.right = std::max(static_cast<int>(d.right), rowWidth + 32);
    const int k = in.checkboxWidth;
    if (k > 0 && d.right < k)
        d.right = k + 16;

    int x = in.rightButtons ? d.right - rowWidth - 16 : (d.right - rowWidth) / 2;
    for (int w : in.buttonWidths)
    {
        out.buttons.push_back({x, y, x + w, y + in.buttonHeight});
        x += w + 6;
    }
    if (k > 0)
    {
        const int y2 = y + in.buttonHeight + 12;
        out.checkbox = {17, y2, 17 + k, y2 + in.checkboxHeight};
        d.bottom = y2 + in.checkboxHeight + 8;
        d.right = std::max(static_cast<int>(d.right), 17 + k);
    }
    return out;
}

RECT PixelsToDialogUnits(const RECT& r, int baseX, int baseY)
{
    RECT u;
    u.left = r.left * 4 / baseX;
    u.top = r.top * 8 / baseY;
    u.right = (r.right - r.left) * 4 / baseX;  // width
    u.bottom = (r.bottom - r.top) * 8 / baseY; // height
    return u;
}

void EncodeValueName(std::wstring& s)
{
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz98";
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = kAlphabet[(static_cast<unsigned>(s[i]) + 5 * static_cast<unsigned>(i)) & 63];
}

std::wstring DontAskValueName(const wchar_t* key, int number)
{
    std::wstring name;
    if (key)
    {
        size_t n = 0;
        while (n < 490 && key[n])
            ++n;
        name.assign(key, n);
    }
    EncodeValueName(name);
    name += std::to_wstring(number);
    return name;
}

UINT StandardMessageBoxStyle(UINT style)
{
    UINT s = style & 0x003FFFFF;
    if ((s & 0xF) > MB_CANCELTRYCONTINUE)
        s &= ~0xFu;
    return s;
}

std::wstring MsgBoxClipboardText(const std::wstring& title, const std::wstring* text,
                                 const std::vector<std::wstring>& buttonCaptions)
{
    const std::wstring line = L"---------------------------\r\n";
    std::wstring s = line + title.substr(0, 1000) + L"\r\n" + line;
    if (text)
        s += text->substr(0, 4000) + L"\r\n" + line;
    for (const std::wstring& c : buttonCaptions)
    {
        for (wchar_t ch : c.substr(0, 199))
            if (ch != L'&')
                s += ch;
        s += L"   ";
    }
    s += L"\r\n" + line;
    return s;
}

std::wstring CountdownCaption(const std::wstring& caption, int seconds)
{
    return caption + L" = " + std::to_wstring(seconds);
}
