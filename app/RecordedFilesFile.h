// The recorded-files list on disk: a 32-bit row count, then per row six strings in the
// archive's string form and the row's 32-bit item value.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/CFile.h"
#include "framework/CString.h"

struct RecordedFileRow
{
    CString cells[6]; // name, folder, format, duration, time stamp, size in MB
    DWORD nData = 1;
};

class RecordedFilesFile
{
public:
    enum LoadResult
    {
        Loaded,
        Missing, // no file: an empty list
        Damaged  // the file exists but could not be read whole; rows holds what was read
    };

    explicit RecordedFilesFile(const CString& path);
    virtual ~RecordedFilesFile() = default;

    LoadResult Load(std::vector<RecordedFileRow>& rows) const;
    // Writes a file beside the list and moves it over the old one, so a failure leaves
    // the old list whole. FALSE on any failure.
    BOOL Save(const std::vector<RecordedFileRow>& rows) const;
    // Renames the list to a free name beside it ("Output.damaged.ini", then
    // "Output.damaged (2).ini", ...), so that a damaged list is not overwritten.
    BOOL KeepDamagedCopy(CString& keptPath) const;

    const CString& GetPath() const { return m_path; }

protected:
    // The file Save writes through; tests give one that fails part way.
    virtual std::unique_ptr<CFile> MakeFile() const;

private:
    CString m_path;
};
