#include "harness/SignalMatch.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

std::vector<int16_t> LoadHarnessSignal(std::wstring* error)
{
    std::vector<int16_t> signal;
    const wchar_t* build = _wgetenv(L"QM_BUILD");
    if (!build)
    {
        *error = L"QM_BUILD is not set (run the test through ctest)";
        return signal;
    }
    // The build folder is a Unix path; Wine maps the Unix root to Z:.
    std::wstring path = std::wstring(L"Z:") + build + L"/harness/signal.raw";
    for (auto& c : path)
        if (c == L'/')
            c = L'\\';
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
    {
        *error = L"cannot open " + path;
        return signal;
    }
    int16_t buffer[4096];
    size_t n;
    while ((n = fread(buffer, sizeof(int16_t), 4096, f)) > 0)
        signal.insert(signal.end(), buffer, buffer + n);
    fclose(f);
    return signal;
}

SignalMatch MatchSignal(const std::vector<int16_t>& signal, const int16_t* frames, size_t frameCount,
                        int channels, int shift)
{
    SignalMatch m;
    const size_t signalFrames = signal.size() / 2;
    if (signalFrames == 0)
        return m;
    auto same = [&](size_t recorded, size_t at)
    {
        for (int c = 0; c < channels; ++c)
            if ((frames[recorded * channels + c] >> shift) != (signal[(at % signalFrames) * 2 + c] >> shift))
                return false;
        return true;
    };
    size_t start = 0;
    while (start < frameCount)
    {
        bool silent = true;
        for (int c = 0; c < channels; ++c)
            silent = silent && frames[start * channels + c] == 0;
        if (!silent)
            break;
        ++start;
    }
    m.firstNonSilent = start;
    if (start >= frameCount)
        return m;
    // Candidates: every place in the signal where the first few frames agree.
    const size_t probe = std::min<size_t>(16, frameCount - start);
    for (size_t at = 0; at < signalFrames; ++at)
    {
        size_t i = 0;
        while (i < probe && same(start + i, at + i))
            ++i;
        if (i < probe)
            continue;
        size_t run = probe;
        while (start + run < frameCount && same(start + run, at + run))
            ++run;
        if (!m.found || run > m.matched)
        {
            m.found = true;
            m.offset = at;
            m.matched = run;
        }
        if (start + run == frameCount)
            break;
    }
    return m;
}

::testing::AssertionResult IsWholeSignal(const std::vector<int16_t>& samples, int channels, int shift,
                                         size_t firstSoundBefore)
{
    std::wstring error;
    const std::vector<int16_t> signal = LoadHarnessSignal(&error);
    if (signal.empty())
        return ::testing::AssertionFailure()
               << "no signal to compare with: " << std::string(error.begin(), error.end());
    const size_t frames = samples.size() / channels;
    const SignalMatch m = MatchSignal(signal, samples.data(), frames, channels, shift);
    if (m.firstNonSilent >= frames)
        return ::testing::AssertionFailure() << "all " << frames << " frames of the recording are silent";
    if (!m.found)
        return ::testing::AssertionFailure()
               << "the recording is not the signal: its first sound, frame " << m.firstNonSilent << " of "
               << frames << ", occurs nowhere in it";
    const bool late = m.firstNonSilent >= firstSoundBefore;
    const bool gap = m.firstNonSilent + m.matched != frames;
    if (!late && !gap)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    if (late)
        result << "the first sound comes at frame " << m.firstNonSilent << ", not before frame "
               << firstSoundBefore << (gap ? "; " : "");
    if (gap)
        result << "the recording leaves the signal " << m.matched << " frames after its first sound (frame "
               << m.firstNonSilent << ", signal frame " << m.offset << "), "
               << frames - m.firstNonSilent - m.matched << " frames before its end";
    return result;
}
