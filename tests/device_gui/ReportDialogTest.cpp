// The report dialog in this process against made-up devices: the box takes the whole
// report, each line in its colour, the controls are off while it is written and the focus
// is back on Diagnose after, and the copy on the clipboard is the box's text.
#include <gtest/gtest.h>

#include <string>

#include "app/DeviceReport.h"
#include "app/pages/CSoundDeviceDlg.h"
#include "framework/CMenu.h"
#include "resources/resource.h"
#include "tests/device_gui/AppWindows.h"

namespace
{
// Many devices of eight channels that accept every rate: a report far beyond 64K.
class BusySource : public DeviceReportSource
{
public:
    int DeviceCount() override { return 6; }
    BOOL Describe(int device, ReportDeviceInfo& info) override
    {
        info = ReportDeviceInfo();
        info.name = device == 0 ? L"First" : L"Another";
        info.hostApiName = L"MME";
        info.maxInputChannels = 8;
        info.isDefaultInput = device == 0;
        return TRUE;
    }
    PaError IsFormatSupported(const PaStreamParameters*, const PaStreamParameters*, double) override
    {
        if (dlg && !checked)
        {
            checked = true;
            diagnoseEnabled = ::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, IDOK)) != FALSE;
            cancelEnabled = ::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, IDCANCEL)) != FALSE;
            closeState = ::GetMenuState(::GetSystemMenu(dlg->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND);
        }
        return paFormatIsSupported;
    }
    CSoundDeviceDlg* dlg = nullptr;
    bool checked = false;
    bool diagnoseEnabled = true;
    bool cancelEnabled = true;
    UINT closeState = 0;
};

COLORREF ColourAt(CRichEditCtrl& box, long position)
{
    box.SetSel(position, position + 1);
    CHARFORMATW cf = {};
    cf.cbSize = sizeof(cf);
    box.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf.crTextColor;
}
// The box's character position of the first occurrence: it counts a line end as one.
long BoxPosition(const std::wstring& text, const wchar_t* what)
{
    const size_t at = text.find(what);
    long lineEnds = 0;
    for (size_t i = text.find(L"\r\n"); i < at; i = text.find(L"\r\n", i + 2))
        ++lineEnds;
    return static_cast<long>(at) - lineEnds;
}
} // namespace

TEST(ReportDialog, TheWholeReportInColourWithTheControlsOffWhileItRuns)
{
    ASSERT_TRUE(AfxInitRichEdit());
    BusySource source;
    CSoundDeviceDlg dlg(nullptr, &source);
    source.dlg = &dlg;
    ASSERT_TRUE(dlg.Create(IDD_DEVICE_INFO, nullptr));
    dlg.ShowWindow(SW_SHOW);
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDOK));
    EXPECT_GE(dlg.m_richEdit.SendMessage(EM_GETLIMITTEXT), 0x1000000);

    std::wstring expected;
    DeviceReport::ReportDevices(source, source.DeviceCount(),
                                [&](const CString& text, int)
                                { expected += L"    " + std::wstring(text) + L"\r\n"; });
    source.checked = false;
    ASSERT_GT(expected.size(), 65536u);

    dlg.OnDiagnose();
    ASSERT_TRUE(source.checked);
    EXPECT_FALSE(source.diagnoseEnabled);
    EXPECT_FALSE(source.cancelEnabled);
    EXPECT_TRUE(source.closeState & MF_GRAYED);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDOK)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDCANCEL)));
    EXPECT_FALSE(::GetMenuState(::GetSystemMenu(dlg.m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    // The keyboard works again at once: Diagnose, which lost the focus while it was off,
    // has it back.
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDOK), ::GetFocus());

    CString shown;
    dlg.m_richEdit.GetWindowText(shown);
    const std::wstring text = shown.GetString();
    ASSERT_EQ(expected.size(), text.size());
    EXPECT_TRUE(expected == text);

    // Blue, red and green lines: "Found", the first banner, the first field.
    EXPECT_EQ(RGB(0, 0, 255), ColourAt(dlg.m_richEdit, 6));
    EXPECT_EQ(RGB(255, 0, 0), ColourAt(dlg.m_richEdit, BoxPosition(text, L"=====")));
    EXPECT_EQ(RGB(0, 128, 0),
              ColourAt(dlg.m_richEdit, BoxPosition(text, L"This device is the default input")));

    ASSERT_TRUE(ClearClipboard());
    dlg.OnCopyToClipboard();
    EXPECT_TRUE(expected == ClipboardText());
    dlg.DestroyWindow();
}
