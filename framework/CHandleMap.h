// Temporary wrapper objects for handles the program did not wrap itself (the window of
// GetParent, the font of GetFont, the pen SelectObject replaced...). A wrapper is owned by
// its map, never owns its handle, and is reused for the same handle. They are freed when
// the outermost modal loop goes idle (or by DeleteTemporaryObjects), so program code must
// not keep such a pointer beyond the message it handles.
#pragma once

#include <memory>
#include <unordered_map>

class CHandleMapBase
{
public:
    // Frees every temporary wrapper of the calling thread.
    static void DeleteTemporaryObjects();

protected:
    using DeleteAll = void (*)();
    static void Register(DeleteAll deleteAll);
};

// T is the wrapper class, H its handle type; SetHandle stores a handle into a wrapper.
template <class T, class H> class CHandleMap : public CHandleMapBase
{
public:
    using SetHandle = void (*)(T& wrapper, H handle);

    static T* Lookup(H handle, SetHandle setHandle)
    {
        if (!handle)
            return nullptr;
        Map& map = Instance();
        auto it = map.entries.find(handle);
        if (it != map.entries.end())
            return it->second.get();
        if (!map.registered)
        {
            Register(&DeleteAllOfThread);
            map.registered = true;
        }
        auto wrapper = std::make_unique<T>();
        setHandle(*wrapper, handle);
        T* result = wrapper.get();
        map.entries.emplace(handle, std::move(wrapper));
        map.setHandle = setHandle;
        return result;
    }

private:
    struct Map
    {
        std::unordered_map<H, std::unique_ptr<T>> entries;
        SetHandle setHandle = nullptr;
        bool registered = false;

        Map() = default;
        Map(const Map&) = delete;
        Map& operator=(const Map&) = delete;
        ~Map() { ReleaseHandles(); }
        void ReleaseHandles()
        {
            for (auto& entry : entries)
                setHandle(*entry.second, nullptr);
        }
    };

    static Map& Instance()
    {
        static thread_local Map map;
        return map;
    }

    static void DeleteAllOfThread()
    {
        Map& map = Instance();
        // The wrappers let go of their handles before they are destroyed.
        map.ReleaseHandles();
        map.entries.clear();
    }
};
