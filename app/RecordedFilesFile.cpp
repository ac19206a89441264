#include "app/RecordedFilesFile.h"

#include "framework/CArchive.h"

namespace
{
const int kArchiveBuffer = 4096;
// The smallest row: six empty narrow strings of one length byte each and the value.
const ULONGLONG kMinRowBytes = 6 + 4;
} // namespace

RecordedFilesFile::RecordedFilesFile(const CString& path) : m_path(path) {}

std::unique_ptr<CFile> RecordedFilesFile::MakeFile() const
{
    return std::make_unique<CFile>();
}

RecordedFilesFile::LoadResult RecordedFilesFile::Load(std::vector<RecordedFileRow>& rows) const
{
    rows.clear();
    CFile file;
    CFileException error;
    if (!file.Open(m_path, CFile::modeRead | CFile::shareDenyWrite, &error))
    {
        const LONG os = error.m_lOsError;
        return os == ERROR_FILE_NOT_FOUND || os == ERROR_PATH_NOT_FOUND ? Missing : Damaged;
    }
    bool countTooLarge = false;
    try
    {
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        DWORD count = 0;
        ar >> count;
        // A count the rest of the file cannot hold is damage, as a file cut short is: the
        // rows are read while the data lasts.
        const ULONGLONG length = file.GetLength();
        const ULONGLONG left = length > 4 ? length - 4 : 0;
        countTooLarge = count > left / kMinRowBytes;
        if (countTooLarge)
            count = static_cast<DWORD>(left / kMinRowBytes);
        for (DWORD i = 0; i < count; ++i)
        {
            RecordedFileRow row;
            for (CString& cell : row.cells)
                ar >> cell;
            ar >> row.nData;
            rows.push_back(std::move(row));
        }
    }
    catch (...)
    {
        // Archive, file and memory errors alike: what was read so far stays in rows.
        return Damaged;
    }
    return countTooLarge ? Damaged : Loaded;
}

BOOL RecordedFilesFile::Save(const std::vector<RecordedFileRow>& rows) const
{
    const CString temporary = m_path + L".tmp";
    try
    {
        std::unique_ptr<CFile> file = MakeFile();
        if (!file->Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
            return FALSE;
        try
        {
            CArchive ar(file.get(), CArchive::store, kArchiveBuffer);
            ar << static_cast<DWORD>(rows.size());
            for (const RecordedFileRow& row : rows)
            {
                for (const CString& cell : row.cells)
                    ar << cell;
                ar << row.nData;
            }
            ar.Close();
            file->Flush();
            file->Close();
        }
        catch (...)
        {
            file->Abort();
            ::DeleteFileW(temporary);
            throw;
        }
    }
    catch (...)
    {
        return FALSE;
    }
    if (!::MoveFileExW(temporary, m_path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        ::DeleteFileW(temporary);
        return FALSE;
    }
    return TRUE;
}

BOOL RecordedFilesFile::KeepDamagedCopy(CString& keptPath) const
{
    // Split "folder\Output.ini" into "folder\Output" and ".ini".
    const int slash = m_path.ReverseFind(L'\\');
    const int dot = m_path.ReverseFind(L'.');
    const bool hasExtension = dot > slash && dot > 0;
    const CString stem = hasExtension ? m_path.Left(dot) : m_path;
    const CString extension = hasExtension ? m_path.Mid(dot) : CString();
    for (int n = 1; n < 10000; ++n)
    {
        CString candidate = stem + L".damaged";
        if (n > 1)
            candidate.AppendFormat(L" (%d)", n);
        candidate += extension;
        // Without MOVEFILE_REPLACE_EXISTING a name taken meanwhile is never overwritten.
        if (::MoveFileExW(m_path, candidate, 0))
        {
            keptPath = candidate;
            return TRUE;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            return FALSE;
    }
    return FALSE;
}
