#include "framework/CHandleMap.h"

#include <vector>

namespace
{
std::vector<void (*)()>& Registry()
{
    static thread_local std::vector<void (*)()> registry;
    return registry;
}
} // namespace

void CHandleMapBase::Register(DeleteAll deleteAll)
{
    Registry().push_back(deleteAll);
}

void CHandleMapBase::DeleteTemporaryObjects()
{
    for (DeleteAll deleteAll : Registry())
        deleteAll();
}
