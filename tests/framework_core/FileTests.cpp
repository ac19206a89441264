#include <gtest/gtest.h>

#include <cstring>

#include "tests/common/TempFolder.h"
#include "framework/CFile.h"
#include "framework/CStdioFile.h"

TEST(CFile, WriteSeekReadAndLengthRoundTrip)
{
    TempFolder dir;
    CString path = (dir.Path() + L"data.bin").c_str();
    {
        CFile f(path, CFile::modeCreate | CFile::modeReadWrite);
        EXPECT_STREQ(L"data.bin", f.GetFileName());
        EXPECT_EQ(0, f.GetFilePath().CompareNoCase(path));
        f.Write("0123456789", 10);
        EXPECT_EQ(10u, f.GetLength());
        EXPECT_EQ(10u, f.GetPosition());
        EXPECT_EQ(6u, f.Seek(-4, CFile::end));
        char buf[16] = {};
        EXPECT_EQ(4u, f.Read(buf, sizeof(buf)));
        EXPECT_EQ(0, memcmp(buf, "6789", 4));
        EXPECT_EQ(0u, f.Read(buf, sizeof(buf))); // at the end
        EXPECT_EQ(2u, f.Seek(2, CFile::begin));
        EXPECT_EQ(5u, f.Seek(3, CFile::current));

        // Overwrite in the middle, then cut the file.
        f.Write("ab", 2);
        f.SetLength(8);
        EXPECT_EQ(8u, f.GetLength());
        EXPECT_EQ(8u, f.SeekToEnd());
        f.SeekToBegin();
        EXPECT_EQ(8u, f.Read(buf, sizeof(buf)));
        EXPECT_EQ(0, memcmp(buf, "01234ab7", 8));
        f.Flush();
        f.Close();
        EXPECT_EQ(INVALID_HANDLE_VALUE, f.m_hFile);
        f.Close(); // closing twice is harmless
    }

    // Beyond 4 GiB positions stay exact (sparse: nothing is written there).
    CFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeReadWrite));
    const ULONGLONG beyond4G = 0x100000010ull;
    EXPECT_EQ(beyond4G, f.Seek(static_cast<LONGLONG>(beyond4G), CFile::begin));
    EXPECT_EQ(beyond4G, f.GetPosition());
}

TEST(CFile, CreateTruncatesUnlessNoTruncate)
{
    TempFolder dir;
    CString path = (dir.Path() + L"t.bin").c_str();
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        f.Write("abcdef", 6);
    }
    {
        CFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(6u, f.GetLength());
        f.SeekToEnd();
        f.Write("g", 1);
    }
    {
        CFile f(path, CFile::modeRead);
        EXPECT_EQ(7u, f.GetLength());
    }
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, f.GetLength());
    }
    // No handle is left behind by the destructors.
    EXPECT_TRUE(::DeleteFileW(path));
}

TEST(CFile, OpenFailuresReportTheCause)
{
    TempFolder dir;
    CString missing = (dir.Path() + L"missing.wav").c_str();

    CFile f;
    CFileException error;
    EXPECT_FALSE(f.Open(missing, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_EQ(0, error.m_strFileName.CompareNoCase(missing));
    wchar_t text[256];
    EXPECT_TRUE(error.GetErrorMessage(text, 256));
    EXPECT_NE(nullptr, wcsstr(text, L"missing.wav"));

    EXPECT_FALSE(f.Open((dir.Path() + L"no such folder\\x.wav").c_str(), CFile::modeCreate | CFile::modeWrite,
                        &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_FALSE(f.Open(L"", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_FALSE(f.Open(missing, CFile::modeRead)); // no record wanted

    // The throwing constructor, caught the way the program catches framework errors.
    try
    {
        CFile thrown(missing, CFile::modeRead);
        FAIL() << "no exception";
    }
    catch (const CException& e)
    {
        const CFileException* fe = dynamic_cast<const CFileException*>(&e);
        ASSERT_NE(nullptr, fe);
        EXPECT_EQ(CFileException::fileNotFound, fe->m_cause);
    }
}

TEST(CFile, SharingAndAccessErrorsThrow)
{
    TempFolder dir;
    CString path = (dir.Path() + L"locked.wav").c_str();
    CFile writer(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);

    CFile other;
    CFileException error;
    EXPECT_FALSE(other.Open(path, CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_TRUE(other.Open(path, CFile::modeRead | CFile::shareDenyNone, &error));

    char byte = 0;
    try
    {
        other.Write(&byte, 1); // opened for reading only
        FAIL() << "no exception";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(CFileException::accessDenied, e.m_cause);
        EXPECT_EQ(ERROR_ACCESS_DENIED, e.m_lOsError);
    }
    other.Abort();
    EXPECT_THROW(other.Read(&byte, 1), CFileException); // closed
}

TEST(CFile, RemoveAndRename)
{
    TempFolder dir;
    CString a = (dir.Path() + L"a.wav").c_str(), b = (dir.Path() + L"b.wav").c_str();
    {
        CFile f(a, CFile::modeCreate | CFile::modeWrite);
    }
    CFile::Rename(a, b);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(a));
    CFile::Remove(b);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(b));
    try
    {
        CFile::Remove(b);
        FAIL() << "no exception";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    }
    EXPECT_THROW(CFile::Rename(a, b), CFileException);
}

TEST(CFileException, OsErrorsMapToCauses)
{
    EXPECT_EQ(CFileException::none, CFileException::OsErrorToException(NO_ERROR));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_DISK_FULL));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_HANDLE_DISK_FULL));
    EXPECT_EQ(CFileException::endOfFile, CFileException::OsErrorToException(ERROR_HANDLE_EOF));
    EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(ERROR_NOT_SUPPORTED));
}

TEST(CStdioFile, WideLinesThroughTheStreamAndBytesThroughTheHandle)
{
    TempFolder dir;
    CString path = (dir.Path() + L"log.txt").c_str();
    {
        CStdioFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        const wchar_t mark = 0xFEFF;
        f.CFile::Write(&mark, sizeof(mark)); // straight to the handle
        f.Seek(0, CFile::end);
        f.WriteString(L"abc\r\n");
        f.WriteString(L"xyz");
        f.Flush();
        EXPECT_EQ(2u + 16u, f.GetLength());
        f.Close();
    }
    CStdioFile f(path, CFile::modeRead | CFile::typeBinary);
    wchar_t mark = 0;
    EXPECT_EQ(2u, f.Read(&mark, sizeof(mark)));
    EXPECT_EQ(0xFEFF, mark);
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_STREQ(L"abc\r", line);
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_STREQ(L"xyz", line);
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());

    f.Seek(2, CFile::begin);
    wchar_t buf[8];
    ASSERT_NE(nullptr, f.ReadString(buf, 8));
    EXPECT_STREQ(L"abc\r\n", buf);
    EXPECT_EQ(12u, f.GetPosition());
}

TEST(CStdioFile, LongLinesAreReadWhole)
{
    TempFolder dir;
    CString path = (dir.Path() + L"long.txt").c_str();
    CString longLine(L'z', 5000);
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        f.WriteString(longLine + L"\n" + L"end\n");
    }
    CStdioFile f(path, CFile::modeRead | CFile::typeBinary);
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(5000, line.GetLength());
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(L"end", line);
    EXPECT_FALSE(f.ReadString(line));
}
