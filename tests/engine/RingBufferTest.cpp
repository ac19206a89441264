#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/DrainRing.h"
#include "engine/RingBuffer.h"

TEST(RingBuffer, CountsWrapAndZeroFill)
{
    SampleRing ring(4);
    EXPECT_EQ(ring.GetCapacity(), 5u);
    EXPECT_EQ(ring.GetWriteAvailable(), 4u);
    EXPECT_EQ(ring.GetReadAvailable(0), 0u);

    const int32_t in[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(ring.Write(in, 6), 4u); // one slot always stays free
    EXPECT_EQ(ring.GetWriteAvailable(), 0u);
    EXPECT_EQ(ring.Write(in, 1), 0u);
    EXPECT_EQ(ring.GetDropped(), 3u);

    int32_t out[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(ring.Read(out, 3, 0), 3u);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[2], 3);
    // Write index 4, read index 3: the next write wraps over the end.
    EXPECT_EQ(ring.Write(in + 4, 2), 2u);
    EXPECT_EQ(ring.GetReadAvailable(0), 3u);
    EXPECT_EQ(ring.GetWriteAvailable(), 1u);
    int32_t rest[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(ring.Read(rest, 5, 0), 3u);
    EXPECT_EQ(rest[0], 4);
    EXPECT_EQ(rest[1], 5);
    EXPECT_EQ(rest[2], 6);
    EXPECT_EQ(rest[3], 0); // what was not there is zeroed
    EXPECT_EQ(rest[4], 0);

    ring.Write(in, 2);
    ring.Reset();
    EXPECT_EQ(ring.GetReadAvailable(0), 0u);
    EXPECT_EQ(ring.GetWriteAvailable(), 4u);
    EXPECT_EQ(ring.GetDropped(), 0u);
}

TEST(RingBuffer, WritesWholeFramesOnly)
{
    // Free space 3 with stereo frames: one frame fits, the half frame must not.
    SampleRing ring(5);
    const int32_t first[2] = {10, 11};
    ring.Write(first, 2, 2);
    const int32_t block[6] = {20, 21, 30, 31, 40, 41};
    EXPECT_EQ(ring.GetWriteAvailable(), 3u);
    EXPECT_EQ(ring.Write(block, 6, 2), 2u);
    EXPECT_EQ(ring.GetDropped(), 4u);

    int32_t out[4];
    ASSERT_EQ(ring.Read(out, 4, 0), 4u);
    EXPECT_EQ(out[2], 20); // left stays left
    EXPECT_EQ(out[3], 21);
    const int32_t next[2] = {50, 51};
    ring.Write(next, 2, 2);
    ASSERT_EQ(ring.Read(out, 2, 0), 2u);
    EXPECT_EQ(out[0], 50);
}

// One producer, one consumer, the ring wrapping thousands of times: every sample arrives
// once and in order.
TEST(RingBuffer, ProducerAndConsumerThreadsKeepOrder)
{
    SampleRing ring(10001);
    const int32_t total = 4000000;
    std::thread producer(
        [&]
        {
            std::vector<int32_t> block(882);
            int32_t next = 0;
            while (next < total)
            {
                if (ring.GetWriteAvailable() < block.size())
                {
                    std::this_thread::yield();
                    continue;
                }
                for (auto& s : block)
                    s = next++;
                ring.Write(block.data(), static_cast<unsigned>(block.size()), 2);
            }
        });
    std::vector<int32_t> chunk(2048);
    int32_t expected = 0;
    bool inOrder = true;
    while (expected < total && inOrder)
    {
        const unsigned n = ring.Read(chunk.data(), 2048, 0);
        if (n == 0)
            std::this_thread::yield();
        for (unsigned i = 0; i < n; ++i)
            inOrder = inOrder && chunk[i] == expected++;
    }
    producer.join();
    EXPECT_TRUE(inOrder) << "out of order near sample " << expected;
    EXPECT_EQ(ring.GetDropped(), 0u);
}

// The drain loop ends only when capture has ended and the ring is empty.
TEST(RingBuffer, DrainTakesTheLastBlockWrittenAsCaptureEnds)
{
    SampleRing ring(10000);
    std::vector<int32_t> buffer(2048);
    const std::vector<int32_t> last(100, 7);
    uint64_t seen = 0;
    // The last block lands between the writer's count and its look at the capture thread.
    const uint64_t taken = DrainRing(
        ring, buffer.data(), 2048,
        [&]
        {
            if (ring.GetReadAvailable(0) == 0 && seen == 0)
                ring.Write(last.data(), 100);
            return true;
        },
        [&](const int32_t*, unsigned n) { seen += n; });
    EXPECT_EQ(taken, 100u);
    EXPECT_EQ(seen, 100u);

    // Exactly two chunks waiting at the end: both are taken, then the loop ends.
    std::vector<int32_t> two(4096, 1);
    ring.Write(two.data(), 4096);
    std::vector<unsigned> chunks;
    DrainRing(
        ring, buffer.data(), 2048, [] { return true; },
        [&](const int32_t*, unsigned n) { chunks.push_back(n); });
    EXPECT_EQ(chunks, (std::vector<unsigned>{2048, 2048}));

    // More than a chunk arrives as capture ends: the buffer still takes one chunk at a time.
    std::vector<int32_t> more(3000, 2);
    ring.Write(more.data(), 1000);
    chunks.clear();
    DrainRing(
        ring, buffer.data(), 2048,
        [&]
        {
            if (chunks.empty() && ring.GetReadAvailable(0) == 1000)
                ring.Write(more.data(), 3000);
            return true;
        },
        [&](const int32_t*, unsigned n) { chunks.push_back(n); });
    EXPECT_EQ(chunks, (std::vector<unsigned>{2048, 1952}));
}
