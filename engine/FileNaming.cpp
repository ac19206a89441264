#include "engine/FileNaming.h"

#include <shlwapi.h>

#include <cwctype>
#include <string>
#include <vector>

const OutputFormatInfo* FindOutputFormat(int outputFormat)
{
    for (const OutputFormatInfo& info : kOutputFormats)
        if (info.format == outputFormat)
            return &info;
    return nullptr;
}

CString GetFormatExtension(int outputFormat)
{
    const OutputFormatInfo* info = FindOutputFormat(outputFormat);
    return info ? CString(info->extension) : CString();
}

CString SanitizeFileName(CString name, bool keepColon)
{
    const bool driveColon = name.GetLength() > 1 && name[1] == L':';
    for (wchar_t c : {L'/', L'"', L'<', L'>', L'|', L'*', L'?', L':'})
        name.Replace(c, L'_');
    if (keepColon && driveColon)
        name.SetAt(1, L':');
    name.TrimRight();
    name.TrimLeft();
    return name;
}

CString MakeUniqueFileName(const CString& path, const CString& extension)
{
    const int dot = path.ReverseFind(L'.');
    const CString base = dot >= 0 ? path.Left(dot) : path;
    CString candidate;
    for (int n = 2;; ++n)
    {
        candidate.Format(L"%s (%d)%s", base.GetString(), n, extension.GetString());
        if (!PathFileExistsW(candidate))
            return candidate;
    }
}

BOOL CreateUniqueFile(const CString& path, const CString& extension, CString& created)
{
    CString candidate = PathFileExistsW(path) ? MakeUniqueFileName(path, extension) : path;
    // Each failure means someone took the name just now; the next look skips it.
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        HANDLE file =
            ::CreateFileW(candidate, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
        {
            ::CloseHandle(file);
            created = candidate;
            return TRUE;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return FALSE;
        candidate = MakeUniqueFileName(path, extension);
    }
    return FALSE;
}

namespace
{
bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}
} // namespace

BOOL CreateDirectoryPath(LPCWSTR path)
{
    if (!path)
        return FALSE;
    std::wstring buffer(path);
    if (buffer.size() >= MAX_PATH)
        return FALSE;
    for (auto& c : buffer)
        if (c == L'/')
            c = L'\\';
    while (!buffer.empty() && buffer.back() == L'\\')
        buffer.pop_back();
    if (buffer.empty())
        return FALSE;

    // Climb up until a folder can be created or exists, remembering the cut levels...
    std::vector<size_t> cuts;
    size_t end = buffer.size();
    for (;;)
    {
        const std::wstring level = buffer.substr(0, end);
        if (CreateDirectoryW(level.c_str(), nullptr))
            break;
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS)
        {
            // What is already there may be a file: only a folder will do.
            if (!PathIsDirectoryW(level.c_str()))
                return FALSE;
            break;
        }
        if (error != ERROR_PATH_NOT_FOUND)
            return FALSE;
        size_t cut = end;
        while (cut > 0 && !IsSeparator(buffer[cut - 1]))
            --cut;
        // Runs of separators count as one.
        while (cut > 0 && IsSeparator(buffer[cut - 1]))
            --cut;
        if (cut == 0)
            return FALSE;
        cuts.push_back(end);
        end = cut;
    }
    // ...then create them on the way down. Any failure here is final: climbing again
    // could go round for ever.
    while (!cuts.empty())
    {
        end = cuts.back();
        cuts.pop_back();
        const std::wstring level = buffer.substr(0, end);
        if (!CreateDirectoryW(level.c_str(), nullptr) &&
            (GetLastError() != ERROR_ALREADY_EXISTS || !PathIsDirectoryW(level.c_str())))
            return FALSE;
    }
    return TRUE;
}
