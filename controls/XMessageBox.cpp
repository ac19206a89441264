#include "controls/XMessageBox.h"

#include <memory>
#include <string>

#include "controls/CXDialogTemplate.h"
#include "controls/MsgBoxLayout.h"

namespace
{
std::wstring ResolveText(LPCWSTR p, HINSTANCE module)
{
    if (!p)
        return std::wstring();
    if (!IS_INTRESOURCE(p))
        return p;
    wchar_t buf[4096] = {};
    const int n = ::LoadStringW(module ? module : ::GetModuleHandleW(nullptr),
                                static_cast<UINT>(reinterpret_cast<UINT_PTR>(p)), buf, 4096);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

bool IsVistaOrLater()
{
    OSVERSIONINFOW vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = ::GetVersionExW(&vi);
#pragma GCC diagnostic pop
    return ok && vi.dwMajorVersion >= 6;
}

std::wstring AnswerKeyPath(LPCWSTR company)
{
    std::wstring key = L"Software\\";
    if (company && company[0])
        key += std::wstring(company) + L"\\";
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    const size_t slash = file.rfind(L'\\');
    if (slash != std::wstring::npos)
        file = file.substr(slash + 1);
    return key + file + L"\\XMessageBox";
}
} // namespace

void InitMsgBoxParams(XMsgBoxParams* params)
{
    if (!params)
        return;
    *params = XMsgBoxParams{};
    params->textColour = static_cast<COLORREF>(-1);
    params->backgroundColour = static_cast<COLORREF>(-1);
}

int XMessageBox(HWND hWndOwner, LPCWSTR text, LPCWSTR caption, UINT style, const XMsgBoxParams* params)
{
    if (!hWndOwner)
    {
        hWndOwner = ::GetActiveWindow();
        if (hWndOwner)
            hWndOwner = ::GetLastActivePopup(hWndOwner);
    }
    // XMsgBoxParams is large (the captions): keep it off the stack.
    auto local = std::make_unique<XMsgBoxParams>();
    InitMsgBoxParams(local.get());
    if (params)
        *local = *params;

    if ((style & MB_ICONHAND) && (style & MB_SYSTEMMODAL))
    {
        // The standard box takes only strings and its own style bits.
        const std::wstring t = ResolveText(text, local->stringModule);
        const std::wstring c = caption ? ResolveText(caption, local->stringModule) : std::wstring(L"Error");
        return ::MessageBoxW(hWndOwner, t.c_str(), c.c_str(), StandardMessageBoxStyle(style));
    }

    if ((style & XMB_CHECK_MASK) && local->answerKey && local->answerKey[0])
    {
        const DWORD stored =
            LookUpDontAskAnswer(local->registryCompany, local->answerKey, local->answerKeyNumber);
        if (stored & XMB_CHECK_MASK)
            return static_cast<int>(stored);
    }
    if (local->countdownSeconds >= 1000)
        local->countdownSeconds = 10;
    if (local->disabledSeconds >= 1000)
        local->disabledSeconds = 10;
    if (IsVistaOrLater())
        local->layoutOptions |= XMB_OPT_VISTA_LOOK;

    auto box = std::make_unique<CXDialogTemplate>(hWndOwner, text, caption, style, *local);
    if (!(style & XMB_SILENT))
        ::MessageBeep(style & 0xF0);
    return box->RunMessageBox();
}

DWORD ReadDontAskValue(LPCWSTR company, LPCWSTR valueName)
{
    if (!valueName || !valueName[0])
        return 0;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, AnswerKeyPath(company).c_str(), 0, KEY_READ, &hKey) !=
        ERROR_SUCCESS)
        return 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExW(hKey, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        value = 0;
    ::RegCloseKey(hKey);
    return value;
}

void WriteDontAskValue(LPCWSTR company, LPCWSTR valueName, DWORD value)
{
    if (!valueName || !valueName[0])
        return;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, AnswerKeyPath(company).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(hKey, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(hKey);
}

DWORD LookUpDontAskAnswer(LPCWSTR company, LPCWSTR key, int keyNumber)
{
    if (!company || !key)
        return 0;
    return ReadDontAskValue(company, DontAskValueName(key, keyNumber).c_str());
}
