#include "FakeLame.h"

#include <windows.h>

#include <cstring>

namespace
{
FakeLameState g_state;
int g_stream; // the handle given out is this object's address

void KeepName(LPCSTR name)
{
    std::strncpy(g_state.tagName, name ? name : "", sizeof(g_state.tagName) - 1);
}
} // namespace

extern "C"
{
    FakeLameState* FakeLameGetState()
    {
        return &g_state;
    }

    unsigned long beInitStream(void* config, DWORD* samples, DWORD* bufferSize, void** stream)
    {
        ++g_state.initCalls;
        std::memcpy(g_state.config, config, sizeof(g_state.config));
        g_state.handleBeforeInit = *stream;
        if (g_state.initResult == 0 || g_state.initReturnsHandle)
            *stream = &g_stream;
        *samples = 2304;
        *bufferSize = 16384;
        return g_state.initResult;
    }

    unsigned long beEncodeChunkFloatS16NI(void*, DWORD samples, const float* left, const float* right,
                                          BYTE* out, DWORD* produced)
    {
        ++g_state.encodeCalls;
        if (!left)
            return 2;
        if (!right)
            ++g_state.monoCalls;
        g_state.samplesPerChannel += samples;
        std::memset(out, 0xAA, g_state.bytesPerChunk);
        *produced = g_state.bytesPerChunk;
        return g_state.encodeResult;
    }

    unsigned long beDeinitStream(void*, BYTE* out, DWORD* produced)
    {
        ++g_state.deinitCalls;
        std::memset(out, 0xBB, g_state.flushBytes);
        *produced = g_state.flushBytes;
        return g_state.deinitResult;
    }

    unsigned long beCloseStream(void* stream)
    {
        ++g_state.closeCalls;
        g_state.closedHandle = stream;
        return 0;
    }

    unsigned long beWriteVBRHeader(LPCSTR name)
    {
        ++g_state.vbrHeaderCalls;
        KeepName(name);
        return 0;
    }

    unsigned long beWriteInfoTag(void* stream, LPCSTR name)
    {
        ++g_state.infoTagCalls;
        g_state.infoTagHandle = stream;
        KeepName(name);
        return 0;
    }
}
