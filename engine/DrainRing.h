// The writers' loop over the capture ring, apart from the session that owns the ring.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/RingBuffer.h"

// Takes chunks of the ring into buffer and hands them to sink, and ends once
// captureEnded() is true and the ring is empty. Returns the samples taken.
template <typename CaptureEnded, typename Sink>
uint64_t DrainRing(SampleRing& ring, int32_t* buffer, unsigned chunk, CaptureEnded captureEnded, Sink sink)
{
    uint64_t total = 0;
    for (;;)
    {
        unsigned n = ring.GetReadAvailable(0);
        if (n < chunk)
        {
            if (!captureEnded())
            {
                Sleep(10);
                continue;
            }
            // Capture may have written its last block after the count was read.
            n = ring.GetReadAvailable(0);
            if (n == 0)
                break;
            if (n > chunk)
                n = chunk;
        }
        else
        {
            n = chunk;
        }
        n = ring.Read(buffer, n, 0);
        total += n;
        sink(static_cast<const int32_t*>(buffer), n);
    }
    return total;
}
