#include "app/DeviceListing.h"

CString DeviceListing::CleanName(const CString& name)
{
    CString clean = name;
    clean.Replace(L" - Input", L"");
    return clean;
}

int DeviceListing::ChooseEntry(int stored, const std::vector<int>& itemData, int defaultInput)
{
    if (stored >= 0 && stored < static_cast<int>(itemData.size()))
        return stored;
    for (size_t i = 0; i < itemData.size(); ++i)
    {
        if (itemData[i] == defaultInput)
            return static_cast<int>(i);
    }
    return -1;
}
