#include <gtest/gtest.h>

#include "framework/CWinApp.h"

namespace
{
class TestApp : public CWinApp
{
};

const wchar_t kKey[] = L"Quillmoth Tests\\Core";

void DeleteTestKeys()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmoth Tests");
}
} // namespace

TEST(CWinApp, NamesAndGlobalAccess)
{
    EXPECT_EQ(nullptr, AfxGetApp());
    {
        TestApp app;
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_STREQ(L"framework_core_tests", app.m_pszExeName);
        EXPECT_STREQ(L"framework_core_tests", app.m_pszAppName);
        EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetInstanceHandle());
        EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
        EXPECT_EQ(nullptr, app.m_pszRegistryKey);
    }
    EXPECT_EQ(nullptr, AfxGetApp());
}

TEST(CWinApp, ProfileValuesLiveUnderTheRegistryKey)
{
    DeleteTestKeys();
    TestApp app;
    // No key yet: nothing is written anywhere.
    EXPECT_FALSE(app.WriteProfileInt(L"Misc", L"Tip", 1));
    EXPECT_EQ(7u, app.GetProfileInt(L"Misc", L"Tip", 7));

    app.SetRegistryKey(kKey);
    EXPECT_STREQ(kKey, app.m_pszRegistryKey);
    EXPECT_TRUE(app.WriteProfileInt(L"Misc", L"Tip", -3));
    EXPECT_EQ(static_cast<UINT>(-3), app.GetProfileInt(L"Misc", L"Tip", 7));
    EXPECT_TRUE(app.WriteProfileString(L"Misc", L"Name", L"Untitled"));
    EXPECT_STREQ(L"Untitled", app.GetProfileString(L"Misc", L"Name"));
    EXPECT_STREQ(L"dflt", app.GetProfileString(L"Misc", L"Missing", L"dflt"));
    EXPECT_STREQ(L"", app.GetProfileString(L"Other", L"Name"));
    // A string entry is not an integer.
    EXPECT_EQ(5u, app.GetProfileInt(L"Misc", L"Name", 5));

    // The values sit where other tools look for them.
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER,
                                             L"Software\\Quillmoth Tests\\Core\\framework_core_tests\\Misc",
                                             0, KEY_READ, &key));
    DWORD value = 0, size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegQueryValueExW(key, L"Tip", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size));
    EXPECT_EQ(static_cast<DWORD>(-3), value);
    ::RegCloseKey(key);

    EXPECT_TRUE(app.WriteProfileString(L"Misc", L"Name", nullptr));
    EXPECT_STREQ(L"gone", app.GetProfileString(L"Misc", L"Name", L"gone"));
    EXPECT_TRUE(app.WriteProfileString(L"Misc", nullptr, nullptr));
    EXPECT_EQ(9u, app.GetProfileInt(L"Misc", L"Tip", 9));
    DeleteTestKeys();
}
