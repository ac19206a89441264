// Fixed-capacity ring of samples between exactly one writer thread and one reader
// thread per reader index, without locks. Each side stores only its own index, with
// release ordering after its copy, and loads the other side's index with acquire
// ordering, so the samples a side sees as available are fully written.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

template <typename T, unsigned Readers> class RingBuffer
{
public:
    // One slot always stays free, so the ring holds at most nSize samples.
    // A size whose capacity does not fit the indexes fails like any allocation.
    explicit RingBuffer(unsigned nSize)
        : m_pData(nSize < UINT32_MAX ? new T[static_cast<size_t>(nSize) + 1] : throw std::bad_alloc()),
          m_nCapacity(nSize + 1)
    {
        Reset();
    }
    virtual ~RingBuffer() = default;
    RingBuffer(const RingBuffer&) = delete;
    RingBuffer& operator=(const RingBuffer&) = delete;

    // Only while neither side runs.
    void Reset()
    {
        m_nWriteIndex.store(0, std::memory_order_relaxed);
        for (auto& r : m_nReadIndex)
            r.store(0, std::memory_order_relaxed);
        m_nDropped = 0;
    }

    unsigned GetCapacity() const { return m_nCapacity; }

    // Reader side.
    unsigned GetReadAvailable(unsigned nReader) const
    {
        const unsigned w = m_nWriteIndex.load(std::memory_order_acquire);
        const unsigned q = m_nReadIndex[nReader].load(std::memory_order_relaxed);
        return w >= q ? w - q : w + m_nCapacity - q;
    }

    // Writer side: free slots measured against reader 0.
    unsigned GetWriteAvailable() const
    {
        const unsigned q = m_nReadIndex[0].load(std::memory_order_acquire);
        const unsigned w = m_nWriteIndex.load(std::memory_order_relaxed);
        return (q + m_nCapacity - w - 1) % m_nCapacity;
    }

    // Appends up to the free space, in whole frames of nFrame samples: a partial frame
    // would shift every later frame of an interleaved stream. What does not fit is
    // dropped and counted.
    unsigned Write(const T* p, unsigned n, unsigned nFrame = 1)
    {
        unsigned free = GetWriteAvailable();
        if (nFrame > 1)
            free -= free % nFrame;
        const unsigned count = n > free ? free : n;
        m_nDropped += n - count;
        if (count == 0)
            return 0;
        const unsigned w = m_nWriteIndex.load(std::memory_order_relaxed);
        const unsigned tail = m_nCapacity - w;
        if (tail < count)
        {
            std::memcpy(&m_pData[w], p, tail * sizeof(T));
            std::memcpy(&m_pData[0], p + tail, (count - tail) * sizeof(T));
        }
        else
        {
            std::memcpy(&m_pData[w], p, count * sizeof(T));
        }
        m_nWriteIndex.store((w + count) % m_nCapacity, std::memory_order_release);
        return count;
    }

    // Takes up to n samples for a reader; the destination beyond what was there is zeroed.
    unsigned Read(T* p, unsigned n, unsigned nReader)
    {
        const unsigned avail = GetReadAvailable(nReader);
        if (n > avail)
        {
            std::memset(p + avail, 0, (n - avail) * sizeof(T));
            n = avail;
        }
        if (n == 0)
            return 0;
        const unsigned q = m_nReadIndex[nReader].load(std::memory_order_relaxed);
        const unsigned tail = m_nCapacity - q;
        if (tail < n)
        {
            std::memcpy(p, &m_pData[q], tail * sizeof(T));
            std::memcpy(p + tail, &m_pData[0], (n - tail) * sizeof(T));
        }
        else
        {
            std::memcpy(p, &m_pData[q], n * sizeof(T));
        }
        m_nReadIndex[nReader].store((q + n) % m_nCapacity, std::memory_order_release);
        return n;
    }

    // Samples Write could not take since the last Reset. Writer side (or after it ended).
    uint64_t GetDropped() const { return m_nDropped; }

private:
    std::unique_ptr<T[]> m_pData;
    std::atomic<unsigned> m_nWriteIndex;
    std::atomic<unsigned> m_nReadIndex[Readers];
    const unsigned m_nCapacity;
    uint64_t m_nDropped = 0;
};

using SampleRing = RingBuffer<int32_t, 1>;
