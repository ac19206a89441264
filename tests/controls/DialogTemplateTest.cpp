#include <gtest/gtest.h>

#include "controls/CXDialogTemplate.h"
#include "controls/DialogTemplateWriter.h"
#include "controls/MsgBoxLayout.h"

namespace
{
XMsgBoxParams Params()
{
    XMsgBoxParams p;
    InitMsgBoxParams(&p);
    return p;
}
} // namespace

TEST(DialogTemplate, WriteParseRoundTrip)
{
    DialogHeaderData h;
    h.style = WS_POPUP | WS_CAPTION;
    h.cx = 120;
    h.cy = 60;
    h.title = L"Ab"; // odd length: the first item needs padding
    std::vector<DialogItemData> items(2);
    items[0] = {WS_CHILD | WS_VISIBLE, 0, 5, 6, 70, 8, 1001, 0x0082, L"Hello"};
    items[1] = {WS_CHILD | BS_DEFPUSHBUTTON, 0, 10, 40, 50, 14, 5555, 0x0080, L""};
    const size_t size = DialogTemplateSize(h, items);
    EXPECT_EQ(size, ((18 + 4 + 6 + 3) & ~3u) + ((26 + 10 + 3) & ~3u) + 26u);
    std::vector<unsigned char> buf(size, 0);
    WriteDialogTemplate(buf.data(), h, items);

    DialogHeaderData h2;
    std::vector<DialogItemData> items2;
    ASSERT_TRUE(ParseDialogTemplate(buf.data(), buf.size(), &h2, &items2));
    EXPECT_EQ(h2.title, L"Ab");
    EXPECT_EQ(h2.cx, 120);
    ASSERT_EQ(items2.size(), 2u);
    EXPECT_EQ(items2[0].text, L"Hello");
    EXPECT_EQ(items2[1].id, 5555);
    EXPECT_EQ(items2[1].classAtom, 0x0080);
    EXPECT_EQ(items2[1].style, static_cast<DWORD>(WS_CHILD | BS_DEFPUSHBUTTON));
    EXPECT_FALSE(ParseDialogTemplate(buf.data(), size - 4, nullptr, nullptr)) << "truncated";
}

TEST(DialogTemplate, DefaultButtonAndCaptions)
{
    XMsgBoxParams p = Params();
    // Default field beyond the buttons present selects the first.
    CXDialogTemplate okCancel(nullptr, L"x", L"c", MB_OKCANCEL | MB_DEFBUTTON4, p);
    EXPECT_EQ(okCancel.DefaultButtonId(), IDOK);

    wcscpy(p.customButtonsText, L"OK\nTroubleshooting");
    CXDialogTemplate custom(nullptr, L"x", L"c", 0x50110, p);
    EXPECT_EQ(custom.DefaultButtonId(), XMB_ID_CUSTOM2);

    XMsgBoxParams own = Params();
    own.useOwnCaptions = 1;
    wcscpy(own.ownCaptions[11], L"Fine");
    wcscpy(own.ownCaptions[12], L"ignored");
    wcscpy(own.reportCaptionText, L"Send");
    CXDialogTemplate captions(nullptr, L"x", nullptr, MB_OK, own);
    EXPECT_EQ(captions.Caption(11), L"Fine");
    EXPECT_EQ(captions.Caption(12), L"Send");
    EXPECT_EQ(captions.Caption(17), L"&Yes");
    EXPECT_EQ(captions.Header().title, L"Error") << "a null caption";
    EXPECT_EQ(CXDialogTemplate(nullptr, L"x", L"c", MB_OK | MB_SYSTEMMODAL, p).Header().style, 0x90C80882u);
}
