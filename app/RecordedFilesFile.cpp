#include "app/RecordedFilesFile.h"

#include "framework/CArchive.h"

namespace
{
const int kArchiveBuffer = 4096;
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
    bool countDiffers = false;
    try
    {
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        const ULONGLONG length = file.GetLength();
        DWORD count = 0;
        ar >> count;
        // Rows are read while whole rows remain, whatever the count says: a count larger
        // than the rows ends in a row cut short below, a smaller one leaves bytes after
        // the counted rows. Either is damage, and every readable row is kept.
        for (DWORD i = 0;; ++i)
        {
            if (i >= count)
            {
                // Past the count the archive gives back what it read ahead, so the file's
                // position tells whether anything follows.
                ar.Flush();
                if (file.GetPosition() >= length)
                    break;
                countDiffers = true;
            }
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
    return countDiffers ? Damaged : Loaded;
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
