#include "controls/HyperLinkLogic.h"

COLORREF HyperLinkColour(bool over, bool visited, COLORREF link, COLORREF visitedColour, COLORREF hover)
{
    if (over)
        return hover;
    return visited ? visitedColour : link;
}

RECT FitLinkRect(const RECT& window, SIZE border, SIZE text, DWORD style)
{
    RECT r = window;
    const int height = text.cy + border.cy;
    const int width = text.cx + border.cx;
    if (style & SS_CENTERIMAGE)
    {
        const int dy = (r.bottom - r.top - height) / 2;
        r.top += dy;
        r.bottom = r.top + height;
    }
    else
    {
        r.bottom = r.top + height;
    }
    const DWORD align = style & SS_TYPEMASK;
    if (align == SS_CENTER)
    {
        const int dx = (r.right - r.left - width) / 2;
        r.left += dx;
        r.right = r.left + width;
    }
    else if (align == SS_RIGHT)
    {
        r.left = r.right - width;
    }
    else
    {
        r.right = r.left + width;
    }
    return r;
}

std::wstring BrowserCommand(const std::wstring& command, const std::wstring& url)
{
    std::wstring cmd = command;
    size_t pos = cmd.find(L"\"%1\"");
    if (pos == std::wstring::npos)
        pos = cmd.find(L"%1");
    if (pos != std::wstring::npos)
        cmd.resize(pos);
    while (!cmd.empty() && cmd.back() == L' ')
        cmd.pop_back();
    // Quoted: a URL may hold blanks or '&'; a quote of its own is escaped as in a URL, so
    // it cannot end the quoted argument.
    std::wstring quoted;
    for (wchar_t c : url)
        if (c == L'"')
            quoted += L"%22";
        else
            quoted += c;
    return cmd + L" \"" + quoted + L"\"";
}

std::wstring HyperLinkErrorText(int code)
{
    const wchar_t* text = nullptr;
    switch (code)
    {
    case 0:
        text = L"The operating system is out\nof memory or resources.";
        break;
    case 2:
        text = L"The specified file was not found.";
        break;
    case 3:
        text = L"The specified path was not found.";
        break;
    case 5:
        text = L"The operating system denied\naccess to the specified file.";
        break;
    case 8:
        text = L"There was not enough memory to complete the operation.";
        break;
    case 11:
        text = L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        break;
    case 26:
        text = L"A sharing violation occurred. ";
        break;
    case 27:
        text = L"The filename association is\nincomplete or invalid.";
        break;
    case 28:
        text = L"The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case 29:
        text = L"The DDE transaction failed.";
        break;
    case 30:
        text = L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
               L"processed.";
        break;
    case 31:
        text = L"There is no application associated\nwith the given filename extension.";
        break;
    case 32:
        text = L"The specified dynamic-link library was not found.";
        break;
    default:
        break;
    }
    std::wstring s = L"Unable to open hyperlink:\n\n";
    if (text)
        s += text;
    else
        s += L"Unknown Error (" + std::to_wstring(code) + L") occurred.";
    return s;
}
