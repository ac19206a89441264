#include <gtest/gtest.h>

#include <vector>

#include "tests/common/TempFolder.h"
#include "framework/CArchive.h"

namespace
{
std::vector<BYTE> ReadAll(LPCWSTR path)
{
    CFile f(path, CFile::modeRead);
    std::vector<BYTE> bytes(static_cast<size_t>(f.GetLength()));
    if (!bytes.empty())
        f.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void WriteAll(LPCWSTR path, const std::vector<BYTE>& bytes)
{
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    if (!bytes.empty())
        f.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

CString StoreAndLoad(LPCWSTR path, const CString& text, std::vector<BYTE>* bytes)
{
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar << text;
        ar.Close();
    }
    *bytes = ReadAll(path);
    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    CString back;
    ar >> back;
    ar.Close();
    EXPECT_EQ(f.GetLength(), f.GetPosition());
    return back;
}

int ArchiveCause(LPCWSTR path, void (*read)(CArchive&))
{
    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    try
    {
        read(ar);
    }
    catch (const CArchiveException& e)
    {
        return e.m_cause;
    }
    return -1;
}
} // namespace

TEST(CArchive, IntegersRoundTripLittleEndian)
{
    TempFolder dir;
    CString path = (dir.Path() + L"ints.dat").c_str();
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store, 16); // small buffer: values straddle refills
        EXPECT_TRUE(ar.IsStoring());
        for (int round = 0; round < 10; ++round)
        {
            ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xBEEF) << static_cast<LONG>(-2)
               << static_cast<DWORD>(0x89ABCDEF) << -123456 << 4000000000u;
            BOOL flag = TRUE;
            ar << flag;
        }
        ar.Close();
    }
    std::vector<BYTE> bytes = ReadAll(path);
    ASSERT_EQ(10u * 23u, bytes.size());
    const BYTE first[] = {0xFF, 0xEF, 0xBE, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89};
    EXPECT_EQ(0, memcmp(bytes.data(), first, sizeof(first)));

    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load, 16);
    EXPECT_TRUE(ar.IsLoading());
    for (int round = 0; round < 10; ++round)
    {
        BYTE by;
        WORD w;
        LONG l;
        DWORD dw;
        int i;
        UINT u;
        BOOL flag;
        ar >> by >> w >> l >> dw >> i >> u >> flag;
        EXPECT_EQ(0xFF, by);
        EXPECT_EQ(0xBEEF, w);
        EXPECT_EQ(-2, l);
        EXPECT_EQ(0x89ABCDEFu, dw);
        EXPECT_EQ(-123456, i);
        EXPECT_EQ(4000000000u, u);
        EXPECT_EQ(TRUE, flag);
    }
    // Flush gives back the read-ahead: the file is where the archive stopped.
    ar.Close();
    EXPECT_EQ(f.GetLength(), f.GetPosition());
}

TEST(CArchive, CountsSwitchFormAt0xFFFF)
{
    TempFolder dir;
    CString path = (dir.Path() + L"counts.dat").c_str();
    const DWORD_PTR counts[] = {0, 0xFE, 0xFFFE, 0xFFFF, 0x10000, 0xFFFFFFFF};
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        for (DWORD_PTR c : counts)
            ar.WriteCount(c);
        ar.Close();
    }
    std::vector<BYTE> bytes = ReadAll(path);
    ASSERT_EQ(2u + 2u + 2u + 6u + 6u + 6u, bytes.size());
    const BYTE expected[] = {0x00, 0x00, 0xFE, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
    EXPECT_EQ(0, memcmp(bytes.data(), expected, sizeof(expected)));

    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    for (DWORD_PTR c : counts)
        EXPECT_EQ(c, ar.ReadCount());
}

TEST(CArchive, StringLengthFormsAroundTheirLimits)
{
    TempFolder dir;
    CString path = (dir.Path() + L"s.dat").c_str();
    struct Case
    {
        int length;
        size_t header; // marker plus length bytes
    } cases[] = {{0, 4}, {1, 4}, {0xFE, 4}, {0xFF, 6}, {0xFFFD, 6}, {0xFFFE, 10}, {0xFFFF, 10}, {70000, 10}};
    for (const Case& c : cases)
    {
        CString text;
        LPWSTR p = text.GetBufferSetLength(c.length);
        for (int i = 0; i < c.length; ++i)
            p[i] = static_cast<wchar_t>(L'a' + i % 26);
        text.ReleaseBuffer(c.length);

        std::vector<BYTE> bytes;
        CString back = StoreAndLoad(path, text, &bytes);
        EXPECT_EQ(back, text) << "length " << c.length;
        ASSERT_EQ(c.header + 2u * c.length, bytes.size()) << "length " << c.length;
        EXPECT_EQ(0xFF, bytes[0]);
        EXPECT_EQ(0xFE, bytes[1]);
        EXPECT_EQ(0xFF, bytes[2]);
    }
}

TEST(CArchive, StringBytesAndNonAsciiText)
{
    TempFolder dir;
    CString path = (dir.Path() + L"u.dat").c_str();
    std::vector<BYTE> bytes;
    EXPECT_STREQ(L"ab", StoreAndLoad(path, L"ab", &bytes));
    const BYTE ab[] = {0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b', 0};
    ASSERT_EQ(sizeof(ab), bytes.size());
    EXPECT_EQ(0, memcmp(bytes.data(), ab, sizeof(ab)));

    CString text(L"Gr\x00fc\x00df\x0065 \x4e2d\x6587 \xd83c\xdfb5 C:\\Musik\\");
    EXPECT_EQ(StoreAndLoad(path, text, &bytes), text);
}

TEST(CArchive, LoadsNarrowStringsWithoutTheMarker)
{
    TempFolder dir;
    CString path = (dir.Path() + L"n.dat").c_str();
    std::vector<BYTE> bytes = {3, 'a', 'b', 'c', 0};
    std::vector<BYTE> longForm = {0xFF, 0x00, 0x01};
    bytes.insert(bytes.end(), longForm.begin(), longForm.end());
    bytes.insert(bytes.end(), 0x100, 'x');
    WriteAll(path, bytes);

    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    CString a, empty(L"not yet"), b;
    ar >> a >> empty >> b;
    EXPECT_STREQ(L"abc", a);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0x100, b.GetLength());
    EXPECT_EQ(L'x', b[0xFF]);
}

TEST(CArchive, TruncatedOrMalformedInputThrows)
{
    TempFolder dir;
    CString path = (dir.Path() + L"bad.dat").c_str();
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar << static_cast<DWORD>(1) << CString(L"Untitled.wav");
        ar.Close();
    }
    std::vector<BYTE> whole = ReadAll(path);
    auto readRecord = [](CArchive& ar)
    {
        DWORD count;
        CString name;
        ar >> count >> name;
    };
    // Every cut, inside the count, the marker, the length or the text, is an error.
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        WriteAll(path, std::vector<BYTE>(whole.begin(), whole.begin() + cut));
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause(path, readRecord)) << "cut at " << cut;
    }

    // A length that claims far more than the file holds is refused before allocating.
    WriteAll(path, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x3F, 'a', 0});
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause(path,
                                                         [](CArchive& ar)
                                                         {
                                                             CString s;
                                                             ar >> s;
                                                         }));
    WriteAll(path, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'});
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause(path,
                                                         [](CArchive& ar)
                                                         {
                                                             CString s;
                                                             ar >> s;
                                                         }));
    // A second marker where the length belongs.
    WriteAll(path, {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00});
    EXPECT_EQ(CArchiveException::badSchema, ArchiveCause(path,
                                                         [](CArchive& ar)
                                                         {
                                                             CString s;
                                                             ar >> s;
                                                         }));
    // Reading from a storing archive is a misuse, not a crash.
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&f, CArchive::store);
    DWORD dw;
    EXPECT_THROW(ar >> dw, CArchiveException);
}

TEST(CArchive, DestructionWithoutCloseWritesNothing)
{
    TempFolder dir;
    CString path = (dir.Path() + L"abandoned.dat").c_str();
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    {
        CArchive ar(&f, CArchive::store);
        ar << CString(L"half a record");
    }
    EXPECT_EQ(0u, f.GetLength());
}
