#include "app/RenameCheck.h"

RenameCheck::Result RenameCheck::Check(const CString& oldName, const CString& newName)
{
    if (newName == oldName)
        return Unchanged;
    CString trimmed = newName;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return Empty;
    for (int i = 0; i < newName.GetLength(); ++i)
    {
        const wchar_t c = newName[i];
        if (c < 32 || wcschr(L"\\/:*?\"<>|", c))
            return NotAName;
    }
    // The file system drops a trailing dot or blank: the row would name a file that
    // does not exist.
    const wchar_t last = newName[newName.GetLength() - 1];
    if (last == L'.' || last == L' ')
        return NotAName;
    return Accept;
}

CString RenameCheck::Message(Result result)
{
    switch (result)
    {
    case Empty:
        return L"The file name cannot be empty.";
    case NotAName:
        return L"A file name cannot contain any of the characters \\ / : * ? \" < > | nor end with a "
               L"point or a blank.";
    default:
        return CString();
    }
}
