#include "framework/CDataExchange.h"

#include <cfloat>
#include <climits>
#include <cwchar>
#include <cwctype>

#include "framework/CWnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hWndCtrl)
        Fail();
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl)
    {
        // Back to the control that holds the bad value, its text selected.
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw Failure();
}

bool ParseIntegerText(LPCWSTR text, bool allowSign, long long minValue, long long maxValue, long long* value)
{
    if (!text)
        return false;
    const wchar_t* p = text;
    while (std::iswspace(*p))
        p++;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
    {
        if (!allowSign)
            return false;
        negative = *p == L'-';
        p++;
    }
    if (*p < L'0' || *p > L'9')
        return false;
    unsigned long long magnitude = 0;
    for (; *p >= L'0' && *p <= L'9'; p++)
    {
        magnitude = magnitude * 10 + static_cast<unsigned>(*p - L'0');
        if (magnitude > (1ULL << 40))
            return false; // far beyond any 32-bit value
    }
    while (std::iswspace(*p))
        p++;
    if (*p)
        return false;
    long long result = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (result < minValue || result > maxValue)
        return false;
    *value = result;
    return true;
}

bool ParseDoubleText(LPCWSTR text, double* value)
{
    if (!text)
        return false;
    const wchar_t* p = text;
    while (std::iswspace(*p))
        p++;
    if (!*p)
        return false;
    wchar_t* end = nullptr;
    double result = std::wcstod(p, &end);
    if (end == p)
        return false;
    while (std::iswspace(*end))
        end++;
    if (*end)
        return false;
    *value = result;
    return true;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    CWnd* pCtrl = CWnd::FromHandle(hWndCtrl);
    if (pDX->m_bSaveAndValidate)
        pCtrl->GetWindowText(value);
    else
    {
        // The same text again would only flicker.
        CString current;
        pCtrl->GetWindowText(current);
        if (current != value)
            pCtrl->SetWindowText(value);
    }
}

namespace
{
void ExchangeInteger(CDataExchange* pDX, int nIDC, long long& value, bool isSigned, long long minValue,
                     long long maxValue, LPCWSTR format)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    CWnd* pCtrl = CWnd::FromHandle(hWndCtrl);
    if (pDX->m_bSaveAndValidate)
    {
        CString text;
        pCtrl->GetWindowText(text);
        if (!ParseIntegerText(text, isSigned, minValue, maxValue, &value))
        {
            AfxMessageBox(isSigned ? L"Please enter an integer." : L"Please enter a positive integer.",
                          MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    }
    else
    {
        CString text;
        text.Format(format, value);
        pCtrl->SetWindowText(text);
    }
}
} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, true, INT_MIN, INT_MAX, L"%lld");
    value = static_cast<int>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, true, LONG_MIN, LONG_MAX, L"%lld");
    value = static_cast<long>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, false, 0, UINT_MAX, L"%lld");
    value = static_cast<UINT>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, false, 0, ULONG_MAX, L"%lld");
    value = static_cast<DWORD>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    CWnd* pCtrl = CWnd::FromHandle(hWndCtrl);
    if (pDX->m_bSaveAndValidate)
    {
        CString text;
        pCtrl->GetWindowText(text);
        if (!ParseDoubleText(text, &value))
        {
            AfxMessageBox(L"Please enter a number.", MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    }
    else
    {
        CString text;
        text.Format(L"%.*g", DBL_DIG, value);
        pCtrl->SetWindowText(text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    else
    {
        int state = (value < BST_UNCHECKED || value > BST_INDETERMINATE) ? BST_UNCHECKED : value;
        ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group runs from the first button to the next control with WS_GROUP.
    for (HWND h = hWndCtrl; h; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (h != hWndCtrl && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        }
        else
            ::SendMessageW(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        index++;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format(L"Please enter an integer between %d and %d.", minVal, maxVal);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}
