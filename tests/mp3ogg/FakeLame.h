// A stand-in for the MP3 encoder library that records how it is called and fails on
// request, built as lame_enc.dll in a folder of its own. Tests reach its state through
// FakeLameState, which they resolve from the same module.
#pragma once

#include <cstdint>

struct FakeLameState
{
    // Behaviour, set by the test before the writer runs.
    unsigned long initResult = 0;
    bool initReturnsHandle = true; // a handle even when initResult is non-zero
    unsigned long encodeResult = 0;
    unsigned long deinitResult = 0;
    uint32_t bytesPerChunk = 100; // produced by every encode call
    uint32_t flushBytes = 10;     // produced by the flush

    // What the writer did.
    uint8_t config[331] = {};
    void* handleBeforeInit = nullptr; // what the writer's handle held when it called init
    int initCalls = 0;
    int encodeCalls = 0;
    int monoCalls = 0; // encode calls with a null right buffer
    uint64_t samplesPerChannel = 0;
    int deinitCalls = 0;
    int closeCalls = 0;
    void* closedHandle = nullptr;
    int infoTagCalls = 0;
    void* infoTagHandle = nullptr;
    int vbrHeaderCalls = 0;
    char tagName[1024] = {};
};

typedef FakeLameState* (*FakeLameStateProc)();
