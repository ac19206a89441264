// The commands of the recorded-files list on a list and a file system kept in memory.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/FileListCommands.h"
#include "engine/RecordingMessages.h"

namespace
{
struct Row
{
    std::wstring name, folder;
    bool selected = false;
    int image = 0;
};

class FakeHost : public FileListHost
{
public:
    std::vector<Row> rows;
    std::set<std::wstring> files, folders, undeletable;
    std::vector<std::wstring> events; // what the user saw and what happened, in order
    std::vector<int> answers;         // the user's answers to the next questions
    INT_PTR shellResult = 42;

    void Add(const std::wstring& name, bool exists = true, bool selected = false)
    {
        rows.push_back({name, L"C:\\rec\\", selected, 0});
        folders.insert(L"C:\\rec\\");
        if (exists)
            files.insert(L"C:\\rec\\" + name);
    }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const Row& r : rows)
            names.push_back(r.name);
        return names;
    }

    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    bool IsRowSelected(int row) const override { return rows.at(static_cast<size_t>(row)).selected; }
    CString GetCell(int row, int column) const override
    {
        const Row& r = rows.at(static_cast<size_t>(row));
        return column == 0 ? r.name.c_str() : r.folder.c_str();
    }
    void SetCell(int row, int column, const CString& text) override
    {
        ASSERT_EQ(0, column);
        rows.at(static_cast<size_t>(row)).name = text.GetString();
        events.push_back(L"cell " + std::wstring(text.GetString()));
    }
    void DeleteRow(int row) override
    {
        events.push_back(L"delete row " + rows.at(static_cast<size_t>(row)).name);
        rows.erase(rows.begin() + row);
    }
    void SetRowImage(int row, int image) override { rows.at(static_cast<size_t>(row)).image = image; }
    void MoveRow(int row, int newIndex) override
    {
        ASSERT_GE(newIndex, 0);
        ASSERT_LT(newIndex, GetRowCount());
        Row r = rows.at(static_cast<size_t>(row));
        rows.erase(rows.begin() + row);
        rows.insert(rows.begin() + newIndex, r);
    }
    void RestripeRows() override { events.push_back(L"restripe"); }
    void StartRename(int row) override
    {
        events.push_back(L"edit " + rows.at(static_cast<size_t>(row)).name);
    }
    int ShowMessage(LPCWSTR text, UINT) override
    {
        events.push_back(L"box " + std::wstring(text));
        if (answers.empty())
            return IDNO;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    int ShowAppMessage(LPCWSTR text, UINT) override
    {
        events.push_back(L"app box " + std::wstring(text));
        return IDOK;
    }
    void Log(const CString& text, int level) override
    {
        events.push_back(L"log " + std::to_wstring(level) + L" " + text.GetString());
    }
    bool FileExists(const CString& path) const override { return files.count(path.GetString()) != 0; }
    bool FolderExists(const CString& path) const override { return folders.count(path.GetString()) != 0; }
    BOOL RemoveFile(const CString& path, DWORD& error) override
    {
        if (undeletable.count(path.GetString()))
        {
            error = ERROR_ACCESS_DENIED;
            return FALSE;
        }
        files.erase(path.GetString());
        events.push_back(L"remove " + std::wstring(path.GetString()));
        return TRUE;
    }
    BOOL RenameFile(const CString& from, const CString& to) override
    {
        if (!files.count(from.GetString()) || files.count(to.GetString()))
            return FALSE;
        files.erase(from.GetString());
        files.insert(to.GetString());
        events.push_back(L"rename " + std::wstring(from.GetString()) + L" " + to.GetString());
        return TRUE;
    }
    INT_PTR ShellOpen(const CString& path) override
    {
        events.push_back(L"open " + std::wstring(path.GetString()));
        return shellResult;
    }
};

using Events = std::vector<std::wstring>;
const std::wstring kSelectOne = L"box Please select ONE file First!";
} // namespace

TEST(FileListCommands, CommandsOnOneRowNeedExactlyOne)
{
    FakeHost host;
    host.Add(L"a.wav", true, true);
    host.Add(L"b.wav", true, true);
    FileListCommands commands(host);
    commands.Open();
    commands.OpenDir();
    commands.Rename();
    commands.MoveRow(FileListCommands::MoveUp);
    EXPECT_EQ(Events(4, kSelectOne), host.events);
    host.rows[0].selected = host.rows[1].selected = false;
    host.events.clear();
    commands.Remove();
    EXPECT_EQ(Events{kSelectOne}, host.events);
}

TEST(FileListCommands, OpenWithoutAnAssociatedProgramTellsAndOpensTheFolder)
{
    FakeHost host;
    host.Add(L"a.wav");
    host.Add(L"b.wav", true, true);
    FileListCommands commands(host);
    commands.Open();
    EXPECT_EQ(Events{L"open C:\\rec\\b.wav"}, host.events);

    host.events.clear();
    host.shellResult = SE_ERR_NOASSOC;
    commands.Open();
    EXPECT_EQ((Events{L"open C:\\rec\\b.wav",
                      L"app box There is no application associated with the given file name extension.",
                      L"open C:\\rec\\"}),
              host.events);
}

TEST(FileListCommands, AMissingFileIsDroppedOrMarkedAsTheUserAnswers)
{
    FakeHost host;
    host.Add(L"a.wav", false, true);
    host.Add(L"b.wav");
    FileListCommands commands(host);
    // No: the row stays, marked.
    commands.Open();
    EXPECT_EQ(FileListCommands::kMissingImage, host.rows[0].image);
    EXPECT_EQ(2, host.GetRowCount());
    // Rename of a missing file asks the same and opens no editor; Yes drops the row.
    host.events.clear();
    host.answers = {IDYES};
    commands.Rename();
    EXPECT_EQ((Events{L"box File NOT Found!  Remove It from the List?", L"delete row a.wav", L"restripe"}),
              host.events);
    // A folder that is gone asks too.
    host.rows[0].selected = true;
    host.folders.clear();
    host.events.clear();
    commands.OpenDir();
    EXPECT_EQ(Events{L"box File NOT Found!  Remove It from the List?"}, host.events);
}

TEST(FileListCommands, MovesKeepWithinTheListAndRestripe)
{
    FakeHost host;
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"})
        host.Add(name);
    host.rows[1].selected = true;
    FileListCommands commands(host);
    commands.MoveRow(FileListCommands::MoveUp);
    EXPECT_EQ((std::vector<std::wstring>{L"b", L"a", L"c", L"d"}), host.Names());
    commands.MoveRow(FileListCommands::MoveUp); // already at the top
    EXPECT_EQ((std::vector<std::wstring>{L"b", L"a", L"c", L"d"}), host.Names());
    commands.MoveRow(FileListCommands::MoveToBottom);
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"c", L"d", L"b"}), host.Names());
    commands.MoveRow(FileListCommands::MoveDown); // already at the bottom
    commands.MoveRow(FileListCommands::MoveToTop);
    commands.MoveRow(FileListCommands::MoveDown);
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c", L"d"}), host.Names());
    EXPECT_EQ(Events(6, L"restripe"), host.events);
}

TEST(FileListCommands, RemoveDropsEverySelectedRowLastFirstAndKeepsTheFiles)
{
    FakeHost host;
    for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"})
        host.Add(name);
    host.rows[1].selected = host.rows[2].selected = host.rows[4].selected = true;
    FileListCommands commands(host);
    commands.Remove();
    EXPECT_EQ((Events{L"delete row e", L"delete row c", L"delete row b", L"restripe"}), host.events);
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"d"}), host.Names());
    EXPECT_EQ(5u, host.files.size());
}

TEST(FileListCommands, DeleteAsksFirstAndKeepsTheRowOfAFileThatStays)
{
    FakeHost host;
    host.Add(L"a.wav", true, true);
    host.Add(L"b.wav", false, true);
    host.Add(L"c.wav", true, false);
    host.Add(L"d.wav", true, true);
    host.undeletable.insert(L"C:\\rec\\d.wav");
    FileListCommands commands(host);

    commands.Delete(); // No
    EXPECT_EQ(Events{L"box Permanently Delete the File(s), Are You Sure?"}, host.events);
    EXPECT_EQ(4, host.GetRowCount());

    host.events.clear();
    host.answers = {IDYES};
    commands.Delete();
    EXPECT_EQ((Events{L"box Permanently Delete the File(s), Are You Sure?",
                      L"log 1 Fail to delete C:\\rec\\d.wav (error 5)!", L"log 1  C:\\rec\\b.wav not found!",
                      L"delete row b.wav", L"remove C:\\rec\\a.wav", L"delete row a.wav", L"restripe"}),
              host.events);
    EXPECT_EQ((std::vector<std::wstring>{L"c.wav", L"d.wav"}), host.Names());
    EXPECT_EQ((std::set<std::wstring>{L"C:\\rec\\c.wav", L"C:\\rec\\d.wav"}), host.files);

    // Nothing selected: still the question first.
    host.rows[1].selected = false;
    host.events.clear();
    host.answers = {IDYES};
    commands.Delete();
    EXPECT_EQ((Events{L"box Permanently Delete the File(s), Are You Sure?", kSelectOne}), host.events);
}

TEST(FileListCommands, RenameDoneRenamesOnDiskOrPutsTheOldNameBack)
{
    FakeHost host;
    host.Add(L"a.wav", true, true);
    host.Add(L"b.wav");
    FileListCommands commands(host);
    commands.Rename();
    EXPECT_EQ(Events{L"edit a.wav"}, host.events);

    host.events.clear();
    host.rows[0].name = L"z.wav";
    commands.RenameDone(0, L"a.wav");
    EXPECT_EQ(Events{L"rename C:\\rec\\a.wav C:\\rec\\z.wav"}, host.events);

    // A name that exists.
    host.events.clear();
    host.rows[0].name = L"b.wav";
    commands.RenameDone(0, L"z.wav");
    EXPECT_EQ((Events{L"app box Fail to Rename File!", L"cell z.wav"}), host.events);

    // Not a name: refused before the file system sees it.
    host.events.clear();
    host.rows[0].name = L"..\\b.wav";
    commands.RenameDone(0, L"z.wav");
    ASSERT_EQ(2u, host.events.size());
    EXPECT_EQ(0u, host.events[0].find(L"box A file name cannot contain"));
    EXPECT_EQ(L"cell z.wav", host.events[1]);
    host.events.clear();
    host.rows[0].name = L"";
    commands.RenameDone(0, L"z.wav");
    EXPECT_EQ((Events{L"box The file name cannot be empty.", L"cell z.wav"}), host.events);

    // Unchanged, or a row that no longer exists: nothing.
    host.events.clear();
    commands.RenameDone(0, L"z.wav");
    commands.RenameDone(7, L"z.wav");
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ((std::set<std::wstring>{L"C:\\rec\\z.wav", L"C:\\rec\\b.wav"}), host.files);
}

TEST(FileListCommands, FindsARowByItsPathWithoutRegardToCase)
{
    FakeHost host;
    host.Add(L"Take.wav");
    host.Add(L"take (2).wav");
    FileListCommands commands(host);
    EXPECT_EQ(0, commands.FindRowOfPath(L"c:\\REC\\take.WAV"));
    EXPECT_EQ(1, commands.FindRowOfPath(L"C:\\rec\\take (2).wav"));
    EXPECT_EQ(-1, commands.FindRowOfPath(L"C:\\rec\\take"));
}

TEST(FileListCommands, KeysActOnlyOnTheShownListItself)
{
    using F = FileListCommands;
    EXPECT_EQ(F::KeySelectAll, F::DecideKey('A', true, false, true, true, false));
    EXPECT_EQ(F::KeyRemove, F::DecideKey(VK_DELETE, false, false, true, true, true));
    EXPECT_EQ(F::KeyDelete, F::DecideKey(VK_DELETE, false, true, true, true, true));
    EXPECT_EQ(F::KeyNone, F::DecideKey(VK_DELETE, false, true, true, true, false));
    EXPECT_EQ(F::KeyNone, F::DecideKey('A', false, false, true, true, true));
    // In the name editor the keys edit the name; on another page they do nothing here.
    EXPECT_EQ(F::KeyNone, F::DecideKey('A', true, false, true, false, true));
    EXPECT_EQ(F::KeyNone, F::DecideKey(VK_DELETE, false, true, true, false, true));
    EXPECT_EQ(F::KeyNone, F::DecideKey(VK_DELETE, false, false, false, true, true));
}

TEST(FileListCommands, StripesShadeTheSortColumn)
{
    EXPECT_EQ(0xFFFFFFu, FileListCommands::StripeColour(0, 0, -1));
    EXPECT_EQ(0xFCF5F3u, FileListCommands::StripeColour(1, 3, -1));
    EXPECT_EQ(0xFDF8F7u, FileListCommands::StripeColour(2, 3, 3));
    EXPECT_EQ(0xFAEEEBu, FileListCommands::StripeColour(3, 3, 3));
    EXPECT_EQ(0xFCF5F3u, FileListCommands::StripeColour(3, 2, 3));
}
