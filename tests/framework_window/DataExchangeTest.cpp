// Data exchange in both directions, failed validation, and DDX_Control run more than once.
#include <gtest/gtest.h>

#include <climits>

#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "TestIds.h"
#include "TestSupport.h"

namespace
{

class DdxDialog : public CDialog
{
public:
    DdxDialog() : CDialog(IDD_DDX) {}

    CString text = L"hello";
    int number = -12;
    UINT unsignedNumber = 4000000000u;
    long longNumber = -7;
    DWORD dword = 65536;
    double real = 2.5;
    int check = BST_CHECKED;
    int radio = 2;
    int comboIndex = 1;
    bool validateRange = false;
    CountingControl stringEdit;

    BOOL Open() { return Create(IDD_DDX); }

protected:
    BOOL OnInitDialog() override
    {
        // The combo's rows must be there before the first exchange selects one.
        CWnd* combo = GetDlgItem(IDC_DDX_COMBO);
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a"));
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"b"));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_TEXT_STRING, stringEdit);
        DDX_Text(pDX, IDC_TEXT_STRING, text);
        DDX_Text(pDX, IDC_TEXT_INT, number);
        if (validateRange)
            DDV_MinMaxInt(pDX, number, -100, 100);
        DDX_Text(pDX, IDC_TEXT_UINT, unsignedNumber);
        DDX_Text(pDX, IDC_TEXT_LONG, longNumber);
        DDX_Text(pDX, IDC_TEXT_DWORD, dword);
        DDX_Text(pDX, IDC_TEXT_DOUBLE, real);
        DDX_Check(pDX, IDC_CHECK, check);
        DDX_Radio(pDX, IDC_RADIO1, radio);
        DDX_CBIndex(pDX, IDC_DDX_COMBO, comboIndex);
    }
};

CString ItemText(CWnd& dlg, int id)
{
    CString text;
    dlg.GetDlgItemText(id, text);
    return text;
}
} // namespace

TEST(DataExchange, MembersGoIntoTheControls)
{
    DdxDialog dlg;
    ASSERT_TRUE(dlg.Open());
    EXPECT_EQ(CString(L"hello"), ItemText(dlg, IDC_TEXT_STRING));
    EXPECT_EQ(CString(L"-12"), ItemText(dlg, IDC_TEXT_INT));
    EXPECT_EQ(CString(L"4000000000"), ItemText(dlg, IDC_TEXT_UINT));
    EXPECT_EQ(CString(L"-7"), ItemText(dlg, IDC_TEXT_LONG));
    EXPECT_EQ(CString(L"65536"), ItemText(dlg, IDC_TEXT_DWORD));
    EXPECT_EQ(CString(L"2.5"), ItemText(dlg, IDC_TEXT_DOUBLE));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), dlg.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(0u, dlg.IsDlgButtonChecked(IDC_RADIO1));
    EXPECT_EQ(0u, dlg.IsDlgButtonChecked(IDC_RADIO2));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), dlg.IsDlgButtonChecked(IDC_RADIO3));
    EXPECT_EQ(1, dlg.SendDlgItemMessage(IDC_DDX_COMBO, CB_GETCURSEL));
    dlg.DestroyWindow();
}

TEST(DataExchange, ControlsGoIntoTheMembers)
{
    DdxDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.SetDlgItemText(IDC_TEXT_STRING, L"typed text");
    dlg.SetDlgItemText(IDC_TEXT_INT, L"  42 ");
    dlg.SetDlgItemText(IDC_TEXT_UINT, L"4294967295");
    dlg.SetDlgItemText(IDC_TEXT_LONG, L"-2147483648");
    dlg.SetDlgItemText(IDC_TEXT_DWORD, L"0");
    dlg.SetDlgItemText(IDC_TEXT_DOUBLE, L"-1.25e3");
    dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO2);
    // The radio after the group's end does not count.
    dlg.CheckDlgButton(IDC_AFTER_RADIOS, BST_CHECKED);
    dlg.SendDlgItemMessage(IDC_DDX_COMBO, CB_SETCURSEL, 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(CString(L"typed text"), dlg.text);
    EXPECT_EQ(42, dlg.number);
    EXPECT_EQ(4294967295u, dlg.unsignedNumber);
    EXPECT_EQ(LONG_MIN, dlg.longNumber);
    EXPECT_EQ(0u, dlg.dword);
    EXPECT_DOUBLE_EQ(-1250.0, dlg.real);
    EXPECT_EQ(BST_UNCHECKED, dlg.check);
    EXPECT_EQ(1, dlg.radio);
    EXPECT_EQ(0, dlg.comboIndex);

    dlg.CheckDlgButton(IDC_RADIO2, BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.radio);
    dlg.DestroyWindow();
}

TEST(DataExchange, BadValuesFailWithAMessageAndTheFocusOnTheControl)
{
    DdxDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.ShowWindow(SW_SHOW);
    MessageBoxCloser closer;

    dlg.SetDlgItemText(IDC_TEXT_INT, L"12x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.GetDlgItem(IDC_TEXT_INT)->m_hWnd, ::GetFocus());

    dlg.SetDlgItemText(IDC_TEXT_INT, L"500");
    dlg.validateRange = true;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(500, dlg.number); // read, then refused

    dlg.validateRange = false;
    dlg.SetDlgItemText(IDC_TEXT_UINT, L"-1");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    dlg.SetDlgItemText(IDC_TEXT_UINT, L"1");
    dlg.SetDlgItemText(IDC_TEXT_DOUBLE, L"1.5.2");
    EXPECT_FALSE(dlg.UpdateData(TRUE));

    ASSERT_EQ(4u, closer.texts.size());
    EXPECT_EQ(L"Please enter an integer.", closer.texts[0]);
    EXPECT_EQ(L"Please enter an integer between -100 and 100.", closer.texts[1]);
    dlg.DestroyWindow();
}

TEST(DataExchange, ControlIsSubclassedOnceHoweverOftenTheExchangeRuns)
{
    DdxDialog dlg;
    ASSERT_TRUE(dlg.Open());
    LONG_PTR proc = ::GetWindowLongPtrW(dlg.stringEdit.m_hWnd, GWLP_WNDPROC);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(1, dlg.stringEdit.presubclassCalls);
    EXPECT_EQ(proc, ::GetWindowLongPtrW(dlg.stringEdit.m_hWnd, GWLP_WNDPROC));
    dlg.stringEdit.SendMessage(WM_CHAR, L'z');
    EXPECT_EQ(1, dlg.stringEdit.charMessages); // one pass through the object, not two
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.stringEdit.m_hWnd);
}

TEST(DataExchange, IntegerTextParsing)
{
    long long v = 0;
    EXPECT_TRUE(ParseIntegerText(L" 42 ", true, INT_MIN, INT_MAX, &v));
    EXPECT_EQ(42, v);
    EXPECT_TRUE(ParseIntegerText(L"-2147483648", true, INT_MIN, INT_MAX, &v));
    EXPECT_EQ(INT_MIN, v);
    EXPECT_FALSE(ParseIntegerText(L"2147483648", true, INT_MIN, INT_MAX, &v));
    EXPECT_FALSE(ParseIntegerText(L"-1", false, 0, UINT_MAX, &v));
    EXPECT_FALSE(ParseIntegerText(L"+", true, INT_MIN, INT_MAX, &v));
    EXPECT_FALSE(ParseIntegerText(L"", true, INT_MIN, INT_MAX, &v));
    EXPECT_FALSE(ParseIntegerText(L"1 2", true, INT_MIN, INT_MAX, &v));
    EXPECT_FALSE(ParseIntegerText(L"99999999999999999999", false, 0, UINT_MAX, &v));
    double d = 0;
    EXPECT_TRUE(ParseDoubleText(L" 0.5 ", &d));
    EXPECT_DOUBLE_EQ(0.5, d);
    EXPECT_FALSE(ParseDoubleText(L"  ", &d));
    EXPECT_FALSE(ParseDoubleText(L"1,5", &d));
}
