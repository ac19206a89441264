// Encoding throughput of the MP3 and OGG Vorbis writers from a filled ring, beside the
// same library driven directly (no ring, no conversion) in this process: the ratio of
// the two is what the writer adds. 48 kHz stereo, default settings (128 kbit/s joint
// stereo; Vorbis quality 0.3).
// Usage: writer_bench [rounds]   (5 s of audio per round, default 4)
#include <windows.h>

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Mp3Writer.h"
#include "engine/OggWriter.h"
#include "engine/RecordingSession.h"

namespace
{
const int kRate = 48000;
const int kChannels = 2;
const unsigned kFrames = 5 * kRate;

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Signal
{
    std::vector<int32_t> ring;          // interleaved, 16-bit values in the top bits
    std::vector<float> left16, right16; // planar, in the 16-bit range
    std::vector<float> left1, right1;   // planar, -1..1
};

Signal MakeSignal()
{
    Signal s;
    for (unsigned f = 0; f < kFrames; ++f)
    {
        const int16_t l = static_cast<int16_t>(16000.0 * std::sin(2.0 * 3.14159265 * 440.0 * f / kRate));
        const int16_t r = static_cast<int16_t>(16000.0 * std::sin(2.0 * 3.14159265 * 660.0 * f / kRate));
        s.ring.push_back(static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(l)) << 16));
        s.ring.push_back(static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(r)) << 16));
        s.left16.push_back(l);
        s.right16.push_back(r);
        s.left1.push_back(l / 32768.0f);
        s.right1.push_back(r / 32768.0f);
    }
    return s;
}

RecorderSettings Settings()
{
    RecorderSettings s;
    s.nSampleRateIndex = 8;
    s.nChannels = kChannels;
    return s;
}

void IgnoreWarning(const CString&) {}

// Seconds spent by the writer on one ring of kFrames, through the session's loop.
double WriterRound(RecordingWriter& writer, const Signal& s, const std::wstring& path)
{
    SampleRing ring(kFrames * kChannels + 16);
    ring.Write(s.ring.data(), static_cast<unsigned>(s.ring.size()), kChannels);
    const double t0 = Now();
    RecordingSession::RecordTo(writer, path.c_str(), std::unique_ptr<CFile>(new CFile), ring,
                               [] { return true; });
    return Now() - t0;
}

double LameDirect(const LameEncoder& lame, const Signal& s, const std::wstring& path)
{
    const double t0 = Now();
    Mp3EncoderConfig config;
    config.Fill(Settings());
    DWORD chunk = 0, outSize = 0;
    LameEncoder::HBE_STREAM stream = nullptr;
    if (lame.InitStream(&config, &chunk, &outSize, &stream) != 0)
        return -1;
    std::vector<BYTE> out(outSize);
    FILE* file = _wfopen(path.c_str(), L"w+b");
    const unsigned perChannel = chunk / kChannels;
    DWORD produced = 0;
    for (unsigned f = 0; f < kFrames; f += perChannel)
    {
        const unsigned n = kFrames - f < perChannel ? kFrames - f : perChannel;
        lame.EncodeChunkFloatS16NI(stream, n, const_cast<float*>(&s.left16[f]),
                                   const_cast<float*>(&s.right16[f]), out.data(), &produced);
        fwrite(out.data(), 1, produced, file);
    }
    lame.DeinitStream(stream, out.data(), &produced);
    fwrite(out.data(), 1, produced, file);
    lame.CloseStream(stream);
    fclose(file);
    const std::string name(path.begin(), path.end());
    lame.WriteInfoTag(stream, name.c_str());
    return Now() - t0;
}

void WriteOggPages(ogg_stream_state& os, FILE* file, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page))
    {
        fwrite(page.header, 1, page.header_len, file);
        fwrite(page.body, 1, page.body_len, file);
    }
}

double VorbisDirect(const Signal& s, const std::wstring& path)
{
    const double t0 = Now();
    vorbis_info vi;
    vorbis_comment vc;
    vorbis_dsp_state vd;
    vorbis_block vb;
    ogg_stream_state os;
    vorbis_info_init(&vi);
    vorbis_comment_init(&vc);
    vorbis_encode_init_vbr(&vi, kChannels, kRate, 0.3f);
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_init(&os, 1);
    FILE* file = _wfopen(path.c_str(), L"w+b");
    ogg_packet h1, h2, h3, packet;
    vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
    ogg_stream_packetin(&os, &h1);
    ogg_stream_packetin(&os, &h2);
    ogg_stream_packetin(&os, &h3);
    WriteOggPages(os, file, true);
    for (unsigned f = 0; f <= kFrames; f += 1024)
    {
        const unsigned n = f == kFrames ? 0 : (kFrames - f < 1024 ? kFrames - f : 1024);
        if (n)
        {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            std::copy(&s.left1[f], &s.left1[f] + n, buffer[0]);
            std::copy(&s.right1[f], &s.right1[f] + n, buffer[1]);
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(n));
        while (vorbis_analysis_blockout(&vd, &vb) == 1)
        {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &packet))
            {
                ogg_stream_packetin(&os, &packet);
                WriteOggPages(os, file, false);
            }
        }
        if (!n)
            break;
    }
    fclose(file);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return Now() - t0;
}

void Report(const char* name, double writer, double direct, int rounds)
{
    const double audio = 5.0 * rounds;
    std::printf("%s writer:  %8.1f x real time (%.3f s for %.0f s)\n", name, audio / writer, writer, audio);
    std::printf("%s library: %8.1f x real time (%.3f s for %.0f s)\n", name, audio / direct, direct, audio);
    std::printf("%s writer overhead: %.3f (writer time / library time)\n", name, writer / direct);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 4;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring mp3Path = std::wstring(temp) + L"writer_bench.mp3";
    const std::wstring oggPath = std::wstring(temp) + L"writer_bench.ogg";
    const Signal s = MakeSignal();

    double mp3Writer = 0, mp3Direct = 0, oggWriter = 0, oggDirect = 0;
    for (int r = 0; r < rounds; ++r)
    {
        Mp3Writer mp3(Settings(), IgnoreWarning);
        if (!mp3.LoadEncoder(LameEncoder::GetProgramFolder()))
        {
            std::printf("lame_enc.dll is not beside this program\n");
            return 1;
        }
        // Alternate the order so that neither side always runs on a warm cache.
        if (r % 2)
            mp3Direct += LameDirect(mp3.Encoder(), s, mp3Path);
        mp3Writer += WriterRound(mp3, s, mp3Path);
        if (r % 2 == 0)
            mp3Direct += LameDirect(mp3.Encoder(), s, mp3Path);

        OggWriter ogg(Settings(), IgnoreWarning);
        if (r % 2)
            oggDirect += VorbisDirect(s, oggPath);
        oggWriter += WriterRound(ogg, s, oggPath);
        if (r % 2 == 0)
            oggDirect += VorbisDirect(s, oggPath);
    }
    std::printf("48000 Hz stereo, %d rounds of 5 s from a filled ring\n", rounds);
    Report("MP3", mp3Writer, mp3Direct, rounds);
    Report("OGG", oggWriter, oggDirect, rounds);
    DeleteFileW(mp3Path.c_str());
    DeleteFileW(oggPath.c_str());
    return 0;
}
