#include <gtest/gtest.h>

#include "../engine/TestFiles.h"
#include "app/RecordedFilesFile.h"

namespace
{
RecordedFileRow Row(const std::wstring& name, size_t folderLength, DWORD data)
{
    RecordedFileRow row;
    row.cells[0] = name.c_str();
    row.cells[1] = CString(L'f', static_cast<int>(folderLength));
    row.cells[2] = L"MP3";
    row.cells[3] = L"00:01:02";
    row.cells[4] = L"";
    row.cells[5] = L"1.234";
    row.nData = data;
    return row;
}

void ExpectSameRows(const std::vector<RecordedFileRow>& expected, const std::vector<RecordedFileRow>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t r = 0; r < expected.size(); ++r)
    {
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(expected[r].cells[c], actual[r].cells[c]) << "row " << r << " cell " << c;
        EXPECT_EQ(expected[r].nData, actual[r].nData) << "row " << r;
    }
}

void Put32(std::vector<uint8_t>& bytes, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A file whose writes fail once the first buffer has gone out.
class FailingFile : public CFile
{
public:
    void Write(const void* lpBuf, UINT nCount) override
    {
        if (m_writes++ > 0)
            CFileException::ThrowOsError(ERROR_DISK_FULL, m_strFileName);
        CFile::Write(lpBuf, nCount);
    }

private:
    int m_writes = 0;
};

class FailingListFile : public RecordedFilesFile
{
public:
    using RecordedFilesFile::RecordedFilesFile;

protected:
    std::unique_ptr<CFile> MakeFile() const override { return std::make_unique<FailingFile>(); }
};

} // namespace

TEST(RecordedFilesFile, RoundTripOfEveryStringLengthForm)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Output.ini";
    const std::vector<RecordedFileRow> rows = {Row(L"a.mp3", 0, 1),
                                               Row(L"b \u00e9\u4e2d.wav", 254, 0),
                                               Row(L"c.ogg", 255, 0xFFFFFFFF),
                                               Row(L"d.mp3", 65533, 1),
                                               Row(L"e.mp3", 65534, 2),
                                               Row(L"f.mp3", 70000, 1)};
    RecordedFilesFile file(path.c_str());
    ASSERT_TRUE(file.Save(rows));
    std::vector<RecordedFileRow> loaded;
    EXPECT_EQ(file.Load(loaded), RecordedFilesFile::Loaded);
    ExpectSameRows(rows, loaded);
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // The stored form: count, then per cell FF FE FF, the length and UTF-16 text.
    ASSERT_TRUE(file.Save({Row(L"x", 0, 1)}));
    std::vector<uint8_t> expected;
    Put32(expected, 1);
    for (const std::wstring cell : {L"x", L"", L"MP3", L"00:01:02", L"", L"1.234"})
    {
        expected.insert(expected.end(), {0xFF, 0xFE, 0xFF, static_cast<uint8_t>(cell.size())});
        const std::vector<uint8_t> text = Utf16Bytes(cell);
        expected.insert(expected.end(), text.begin(), text.end());
    }
    Put32(expected, 1);
    EXPECT_EQ(ReadAll(path), expected);

    std::vector<RecordedFileRow> none;
    EXPECT_EQ(RecordedFilesFile((folder.Path() + L"None.ini").c_str()).Load(none),
              RecordedFilesFile::Missing);
    EXPECT_TRUE(none.empty());
}

TEST(RecordedFilesFile, ReadsNarrowStringsWithoutTheMarker)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Output.ini";
    std::vector<uint8_t> bytes;
    Put32(bytes, 1);
    for (const std::string cell : {"take.wav", "C:\\Rec\\", "WAV", "00:00:05", "", "0.861"})
    {
        bytes.push_back(static_cast<uint8_t>(cell.size()));
        bytes.insert(bytes.end(), cell.begin(), cell.end());
    }
    Put32(bytes, 0);
    ASSERT_TRUE(WriteAll(path, bytes));
    std::vector<RecordedFileRow> rows;
    ASSERT_EQ(RecordedFilesFile(path.c_str()).Load(rows), RecordedFilesFile::Loaded);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].cells[0], L"take.wav");
    EXPECT_EQ(rows[0].cells[1], L"C:\\Rec\\");
    EXPECT_EQ(rows[0].cells[5], L"0.861");
    EXPECT_EQ(rows[0].nData, 0u);
}

TEST(RecordedFilesFile, TruncatedFilesAndWrongCountsAreDamaged)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Output.ini";
    const std::vector<RecordedFileRow> rows = {Row(L"a.mp3", 3, 1), Row(L"b.mp3", 300, 1),
                                               Row(L"c.mp3", 4, 1)};
    RecordedFilesFile file(path.c_str());
    ASSERT_TRUE(file.Save(rows));
    const std::vector<uint8_t> whole = ReadAll(path);

    // Cut anywhere, the file is damaged and the rows before the cut come back whole.
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        ASSERT_TRUE(WriteAll(path, std::vector<uint8_t>(whole.begin(), whole.begin() + cut)));
        std::vector<RecordedFileRow> loaded;
        ASSERT_EQ(file.Load(loaded), RecordedFilesFile::Damaged) << "cut at " << cut;
        ASSERT_LT(loaded.size(), rows.size());
        ExpectSameRows(std::vector<RecordedFileRow>(rows.begin(), rows.begin() + loaded.size()), loaded);
    }

    // Counts and lengths beyond the file are refused before anything is allocated.
    for (uint32_t count : {0xFFFFFFFFu, 0x10000000u, 5000000u})
    {
        std::vector<uint8_t> bytes;
        Put32(bytes, count);
        bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F});
        bytes.resize(bytes.size() + 64, 0);
        ASSERT_TRUE(WriteAll(path, bytes));
        std::vector<RecordedFileRow> loaded;
        EXPECT_EQ(file.Load(loaded), RecordedFilesFile::Damaged);
        EXPECT_TRUE(loaded.empty());
    }
    {
        // A count the file could hold, with a string claiming more than is left.
        std::vector<uint8_t> bytes;
        Put32(bytes, 2);
        bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x3F});
        bytes.resize(bytes.size() + 64, 0);
        ASSERT_TRUE(WriteAll(path, bytes));
        std::vector<RecordedFileRow> loaded;
        EXPECT_EQ(file.Load(loaded), RecordedFilesFile::Damaged);
    }

    // A count that differs from the rows that follow is damage either way, and every whole
    // row loads: a larger count as from a file cut short, a smaller one reads on past it.
    const std::vector<RecordedFileRow> four = {Row(L"a.mp3", 3, 1), Row(L"b.mp3", 300, 1),
                                               Row(L"c.mp3", 4, 0), Row(L"d.wav", 0, 1)};
    ASSERT_TRUE(file.Save(four));
    const std::vector<uint8_t> saved = ReadAll(path);
    for (uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu, 1000u, 0u, 3u})
    {
        std::vector<uint8_t> bytes;
        Put32(bytes, count);
        bytes.insert(bytes.end(), saved.begin() + 4, saved.end());
        ASSERT_TRUE(WriteAll(path, bytes));
        std::vector<RecordedFileRow> loaded;
        EXPECT_EQ(file.Load(loaded), RecordedFilesFile::Damaged) << count;
        ExpectSameRows(four, loaded);
    }
    // Bytes after the last whole row are damage too, whatever they are.
    for (size_t extra : {1u, 9u, 5000u})
    {
        std::vector<uint8_t> bytes = saved;
        bytes.resize(bytes.size() + extra, 0xFF);
        ASSERT_TRUE(WriteAll(path, bytes));
        std::vector<RecordedFileRow> loaded;
        EXPECT_EQ(file.Load(loaded), RecordedFilesFile::Damaged) << extra;
        ExpectSameRows(four, loaded);
    }
}

TEST(RecordedFilesFile, AFailedSaveLeavesTheOldListAndADamagedOneIsKeptAside)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Output.ini";
    ASSERT_TRUE(RecordedFilesFile(path.c_str()).Save({Row(L"old.mp3", 10, 1)}));
    const std::vector<uint8_t> old = ReadAll(path);

    // Several buffers' worth: the second write fails.
    FailingListFile failing(path.c_str());
    EXPECT_FALSE(failing.Save({Row(L"new.mp3", 5000, 1), Row(L"new2.mp3", 5000, 1)}));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(RecordedFilesFile((folder.Path() + L"no such folder\\Output.ini").c_str()).Save({}));

    RecordedFilesFile file(path.c_str());
    CString kept;
    ASSERT_TRUE(file.KeepDamagedCopy(kept));
    EXPECT_EQ(kept, CString((folder.Path() + L"Output.damaged.ini").c_str()));
    EXPECT_EQ(ReadAll(kept.GetString()), old);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(file.Save({}));
    ASSERT_TRUE(file.KeepDamagedCopy(kept));
    EXPECT_EQ(kept, CString((folder.Path() + L"Output.damaged (2).ini").c_str()));
    EXPECT_EQ(ReadAll(folder.Path() + L"Output.damaged.ini"), old);
}
