#include <gtest/gtest.h>

#include "TestFiles.h"
#include "engine/FileNaming.h"

TEST(FileNaming, Extensions)
{
    EXPECT_EQ(GetFormatExtension(1), L".wav");
    EXPECT_EQ(GetFormatExtension(2), L".mp3");
    EXPECT_EQ(GetFormatExtension(3), L".ogg");
    EXPECT_TRUE(GetFormatExtension(4).IsEmpty());
    EXPECT_TRUE(GetFormatExtension(-1).IsEmpty());
}

TEST(FileNaming, SanitizeKeepsSeparatorsAndTheDriveColon)
{
    EXPECT_EQ(SanitizeFileName(L"D:\\Music\\a?b:c ", true), L"D:\\Music\\a_b_c");
    EXPECT_EQ(SanitizeFileName(L" my<name> ", false), L"my_name_");
    EXPECT_EQ(SanitizeFileName(L"D:\\x", false), L"D_\\x");
    EXPECT_EQ(SanitizeFileName(L"\\\\server\\share\\a|b", true), L"\\\\server\\share\\a_b");
    EXPECT_EQ(SanitizeFileName(L"a/b\"c*d", true), L"a_b_c_d");
    EXPECT_EQ(SanitizeFileName(L"\t\t", true), L"");
}

TEST(FileNaming, UniqueNameCountsFromTwo)
{
    TempFolder folder;
    const std::wstring base = folder.Path() + L"Untitled";
    ASSERT_TRUE(WriteAll(base + L".wav", {}));
    EXPECT_EQ(MakeUniqueFileName((base + L".wav").c_str(), L".wav"), (base + L" (2).wav").c_str());
    ASSERT_TRUE(WriteAll(base + L" (2).wav", {}));
    CreateDirectoryW((base + L" (3).wav").c_str(), nullptr); // a folder takes the name too
    EXPECT_EQ(MakeUniqueFileName((base + L".wav").c_str(), L".wav"), (base + L" (4).wav").c_str());
    // The extension is the output format's, not the path's.
    EXPECT_EQ(MakeUniqueFileName((base + L".wav").c_str(), L".mp3"), (base + L" (2).mp3").c_str());

    // Another program takes the chosen name before the file is made: the next one is
    // created instead, and the other's file is left as it was.
    const std::wstring taken = folder.Path() + L"race.mp3";
    ASSERT_TRUE(WriteAll(taken, {1, 2, 3}));
    CString created;
    ASSERT_TRUE(CreateUniqueFile(taken.c_str(), L".mp3", created));
    EXPECT_EQ(created, (folder.Path() + L"race (2).mp3").c_str());
    EXPECT_EQ(ReadAll(taken).size(), 3u);
    EXPECT_TRUE(ReadAll(created.GetString()).empty());
    ASSERT_TRUE(CreateUniqueFile(taken.c_str(), L".mp3", created));
    EXPECT_EQ(created, (folder.Path() + L"race (3).mp3").c_str());
    EXPECT_FALSE(CreateUniqueFile((folder.Path() + L"missing\\x.mp3").c_str(), L".mp3", created));
}

TEST(FileNaming, CreateDirectoryPathCreatesEveryMissingLevel)
{
    TempFolder folder;
    const std::wstring deep = folder.Path() + L"a\\b\\c";
    EXPECT_TRUE(CreateDirectoryPath(deep.c_str()));
    EXPECT_TRUE(FileExists(deep));
    EXPECT_TRUE(CreateDirectoryPath(deep.c_str())); // exists already

    EXPECT_TRUE(CreateDirectoryPath((folder.Path() + L"t\\u\\").c_str()));
    EXPECT_TRUE(FileExists(folder.Path() + L"t\\u"));
    EXPECT_TRUE(CreateDirectoryPath((folder.Path() + L"s/v/w").c_str()));
    EXPECT_TRUE(FileExists(folder.Path() + L"s\\v\\w"));
    EXPECT_TRUE(CreateDirectoryPath((folder.Path() + L"d\\\\\\e\\\\f").c_str()));
    EXPECT_TRUE(FileExists(folder.Path() + L"d\\e\\f"));

    // A file in the way is no folder, as the last level or above it.
    ASSERT_TRUE(WriteAll(folder.Path() + L"file", {}));
    EXPECT_FALSE(CreateDirectoryPath((folder.Path() + L"file").c_str()));
    EXPECT_FALSE(CreateDirectoryPath((folder.Path() + L"file\\").c_str()));
    // Below a file nothing can be created, and the climb must end.
    EXPECT_FALSE(CreateDirectoryPath((folder.Path() + L"file\\x\\y").c_str()));
}

TEST(FileNaming, CreateDirectoryPathFailsCleanly)
{
    TempFolder folder;
    std::wstring longPath = folder.Path();
    while (longPath.size() < 400)
        longPath += L"level\\";
    EXPECT_FALSE(CreateDirectoryPath(longPath.c_str()));
    EXPECT_FALSE(CreateDirectoryPath(std::wstring(MAX_PATH, L'a').c_str()));
    EXPECT_FALSE(CreateDirectoryPath(L""));
    EXPECT_FALSE(CreateDirectoryPath(L"\\\\"));
    EXPECT_FALSE(CreateDirectoryPath(nullptr));
}
