// The clipboard copy on every path: movable memory with the terminator, freed when the
// clipboard refuses it, and the clipboard closed whatever happened.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/ClipboardWriter.h"

namespace
{
struct Calls
{
    bool openOk = true, emptyOk = true, allocOk = true, lockOk = true, setOk = true;
    int opens = 0, closes = 0, frees = 0, sets = 0, locks = 0, unlocks = 0;
    UINT allocFlags = 0;
    SIZE_T allocBytes = 0;
    HGLOBAL freed = nullptr;
    UINT format = 0;
    std::vector<unsigned char> memory;
};
Calls g;

BOOL WINAPI Open(HWND)
{
    ++g.opens;
    return g.openOk;
}
BOOL WINAPI Empty()
{
    return g.emptyOk;
}
HGLOBAL WINAPI Alloc(UINT flags, SIZE_T bytes)
{
    g.allocFlags = flags;
    g.allocBytes = bytes;
    if (!g.allocOk)
        return nullptr;
    g.memory.assign(bytes, 0xCC);
    return reinterpret_cast<HGLOBAL>(&g.memory);
}
LPVOID WINAPI Lock(HGLOBAL)
{
    ++g.locks;
    return g.lockOk ? g.memory.data() : nullptr;
}
BOOL WINAPI Unlock(HGLOBAL)
{
    ++g.unlocks;
    return FALSE;
}
HGLOBAL WINAPI Free(HGLOBAL memory)
{
    ++g.frees;
    g.freed = memory;
    return nullptr;
}
HANDLE WINAPI Set(UINT format, HANDLE memory)
{
    ++g.sets;
    g.format = format;
    return g.setOk ? memory : nullptr;
}
BOOL WINAPI Close()
{
    ++g.closes;
    return TRUE;
}
const ClipboardWriter::Api kFake = {Open, Empty, Alloc, Lock, Unlock, Free, Set, Close};
} // namespace

TEST(ClipboardWriter, TheTextWithItsTerminatorInMovableMemory)
{
    g = Calls();
    EXPECT_TRUE(ClipboardWriter(kFake).CopyText(nullptr, L"ab\r\nc"));
    EXPECT_EQ(1, g.opens);
    EXPECT_EQ(1, g.closes);
    EXPECT_EQ(0, g.frees); // the clipboard owns it now
    EXPECT_TRUE(g.allocFlags & GMEM_MOVEABLE);
    EXPECT_EQ(6u * sizeof(wchar_t), g.allocBytes);
    EXPECT_EQ(0, std::memcmp(g.memory.data(), L"ab\r\nc", 6 * sizeof(wchar_t)));
    EXPECT_EQ(static_cast<UINT>(CF_UNICODETEXT), g.format);
    EXPECT_EQ(g.locks, g.unlocks);
}

TEST(ClipboardWriter, EveryFailureClosesTheClipboardAndFreesWhatItKept)
{
    // A fresh set of calls with one of them failing; the copy must report the failure.
    auto copyWithFailing = [](bool Calls::*step)
    {
        g = Calls();
        g.*step = false;
        return ClipboardWriter(kFake).CopyText(nullptr, L"x");
    };
    EXPECT_FALSE(copyWithFailing(&Calls::setOk));
    EXPECT_EQ(1, g.frees);
    EXPECT_EQ(reinterpret_cast<HGLOBAL>(&g.memory), g.freed);
    EXPECT_EQ(1, g.closes);

    EXPECT_FALSE(copyWithFailing(&Calls::lockOk));
    EXPECT_EQ(0, g.sets);
    EXPECT_EQ(1, g.frees);
    EXPECT_EQ(1, g.closes);

    EXPECT_FALSE(copyWithFailing(&Calls::allocOk));
    EXPECT_EQ(0, g.sets);
    EXPECT_EQ(0, g.frees);
    EXPECT_EQ(1, g.closes);

    EXPECT_FALSE(copyWithFailing(&Calls::emptyOk));
    EXPECT_EQ(0, g.sets);
    EXPECT_EQ(1, g.closes);

    // A clipboard that cannot be opened is not closed; empty text does not open it.
    EXPECT_FALSE(copyWithFailing(&Calls::openOk));
    EXPECT_EQ(0, g.closes);
    g = Calls();
    EXPECT_FALSE(ClipboardWriter(kFake).CopyText(nullptr, L""));
    EXPECT_EQ(0, g.opens);
}
