// The commands of the recorded-files list: open a file or its folder, move, remove,
// delete and rename rows, and the keys of the page. All of it goes through a
// FileListHost, so it runs the same on the page and in tests.
#pragma once

#include <windows.h>

#include <vector>

#include "app/FileListHost.h"

class FileListCommands
{
public:
    enum Move
    {
        MoveUp,
        MoveDown,
        MoveToTop,
        MoveToBottom
    };
    enum KeyAction
    {
        KeyNone,
        KeySelectAll,
        KeyRemove,
        KeyDelete
    };

    explicit FileListCommands(FileListHost& host) : m_host(host) {}

    void Open();
    void OpenDir();
    void MoveRow(Move move);
    void Remove();
    void Delete();
    // Opens the editor on the selected row's name, or deals with a missing file.
    void Rename();
    // The name cell of row now holds what the user typed; oldName is what it held.
    void RenameDone(int row, const CString& oldName);

    // The selected row when exactly one is selected; else -1 after telling the user.
    int GetSingleSelectedRow();
    // The selected rows, last first: deleting them in this order keeps the others' indices.
    std::vector<int> GetSelectedRowsLastFirst() const;
    // The row whose folder and name make path (case ignored), or -1.
    int FindRowOfPath(const CString& path) const;
    // Asks whether to drop the row of a missing file: TRUE when it was dropped, else the
    // row is marked.
    BOOL AskMissingFile(int row);

    // What a key pressed on the page does. onList: the key went to the list itself (not
    // to the name editor or anything else).
    static KeyAction DecideKey(WPARAM key, bool ctrl, bool shift, bool pageShown, bool onList,
                               bool anySelected);
    // The stripe colour of a cell; keyColumn -1 when the list has no sort key.
    static COLORREF StripeColour(int row, int column, int keyColumn);

    static constexpr int kMissingImage = 4; // no image there: the row shows no icon

private:
    CString PathOf(int row) const;

    FileListHost& m_host;
};
