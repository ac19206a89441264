// The About box: the program's name and version, its home page and support address as
// web links.
#pragma once

#include "controls/CHyperLink.h"
#include "framework/CDialog.h"

// The addresses the two links open; the template shows them as text.
constexpr LPCWSTR kHomePageUrl = L"https://www.quillmoth.example/";
constexpr LPCWSTR kSupportMailUrl = L"mailto:support@quillmoth.example";

class CAboutDlg : public CDialog
{
public:
    // pParent owns the box and is disabled while it runs.
    explicit CAboutDlg(CWnd* pParent = nullptr);
    ~CAboutDlg() override = default;

    BOOL OnInitDialog() override;

    CHyperLink m_linkSupport;
    CHyperLink m_linkHome;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
