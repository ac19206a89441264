#include <gtest/gtest.h>

#include <string>

#include "controls/CFolderDialog.h"

TEST(FolderDialog, InitialFolderAndTitle)
{
    wchar_t title[] = L"Pick one";
    CFolderDialog dlg(title, L"C:\\windows");
    title[0] = L'X';
    EXPECT_STREQ(dlg.GetBrowseInfo().lpszTitle, L"Pick one") << "the title is copied";
    EXPECT_STREQ(dlg.GetInitialFolder(), L"C:\\windows");
    EXPECT_EQ(dlg.GetBrowseInfo().ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));

    const std::wstring tooLong(MAX_PATH, L'a');
    EXPECT_FALSE(dlg.SetInitialFolder(tooLong.c_str()));
    EXPECT_STREQ(dlg.GetInitialFolder(), L"C:\\windows") << "a too long folder is ignored";
    const std::wstring fits(MAX_PATH - 1, L'b');
    EXPECT_TRUE(dlg.SetInitialFolder(fits.c_str()));
    EXPECT_EQ(std::wstring(dlg.GetInitialFolder()), fits);
}
