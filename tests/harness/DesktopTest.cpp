// What the test desktop must have for windows to look as they do on Windows: the symbol
// font that draws the caption buttons and the system menu's restore, minimise, maximise
// and close marks (without it they show as the letters "0", "1", "2", "r").
#include <gtest/gtest.h>
#include <windows.h>

namespace
{
int CALLBACK CountFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    ++*reinterpret_cast<int*>(found);
    return 1;
}
} // namespace

TEST(Desktop, TheSymbolFontOfCaptionsAndMenusIsInstalled)
{
    HDC dc = ::GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(wanted.lfFaceName, L"Marlett");
    int found = 0;
    ::EnumFontFamiliesExW(dc, &wanted, CountFace, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    EXPECT_GT(found, 0) << "Marlett is missing: scripts/setup.sh installs it with Wine (fonts-wine)";
}
