#include "app/OutputLocation.h"

#include "engine/FileNaming.h"

CString OutputLocation::DestDirFromEdit(const CString& text)
{
    if (text.IsEmpty() || text[text.GetLength() - 1] == L'\\')
        return text;
    return text + L"\\";
}

CString OutputLocation::FreeSpacePath(const RecorderSettings& s)
{
    return s.nSaveLocation ? s.strDestDir : CString(L"C:\\");
}

BOOL OutputLocation::HasUsableName(const RecorderSettings& s)
{
    return !s.nSaveLocation || !SanitizeFileName(s.strFileName, false).IsEmpty();
}

void OutputLocation::UseDefaultFolderWhenEmpty(RecorderSettings& s, const CString& defaultFolder)
{
    if (SanitizeFileName(s.strDestDir, true).IsEmpty())
        s.strDestDir = defaultFolder;
}
