#include "app/FreeSpace.h"

#include <vector>

namespace
{
const double kWarningMegabytes = 100.0;

CString DriveLabel(const CString& root)
{
    if (root.GetLength() >= 2 && root[1] == L':')
        return root.Left(1);
    return root;
}
} // namespace

FreeSpaceReport BuildFreeSpaceReport(const CString& root, BOOL bKnown, double dMegabytes)
{
    FreeSpaceReport report{bKnown, bKnown ? dMegabytes : 0.0, CString(), CString()};
    const CString label = DriveLabel(root);
    if (!bKnown)
    {
        report.strStatus.Format(L"Free space on drive %s unknown", label.GetString());
        return report;
    }
    report.strStatus.Format(L"Free space on drive %s  %.2f MB", label.GetString(), dMegabytes);
    if (dMegabytes < kWarningMegabytes)
        report.strWarning.Format(L"Warning, less than 100 MB free space on drive %s", label.GetString());
    return report;
}

FreeSpaceReport CheckFreeSpaceOf(const CString& path)
{
    std::vector<wchar_t> root(static_cast<size_t>(path.GetLength()) + MAX_PATH + 1, L'\0');
    if (path.IsEmpty() || !::GetVolumePathNameW(path, root.data(), static_cast<DWORD>(root.size())))
        return BuildFreeSpaceReport(path, FALSE, 0.0);
    const CString volume(root.data());
    ULARGE_INTEGER freeToCaller;
    if (!::GetDiskFreeSpaceExW(volume, &freeToCaller, nullptr, nullptr))
        return BuildFreeSpaceReport(volume, FALSE, 0.0);
    return BuildFreeSpaceReport(volume, TRUE, static_cast<double>(freeToCaller.QuadPart) / 1048576.0);
}
