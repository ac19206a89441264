#include "engine/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "engine/FormatSupportTable.h"
#include "engine/DrainRing.h"
#include "engine/RecordingLog.h"

// The library records of one stream, each cleared once if it was set up.
struct OggWriter::Encoder
{
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool hasDsp = false;
    bool hasBlock = false;
    bool hasStream = false;

    Encoder()
    {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder()
    {
        if (hasStream)
            ogg_stream_clear(&stream);
        if (hasBlock)
            vorbis_block_clear(&block);
        if (hasDsp)
            vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

OggWriter::OggWriter(HWND hWnd, std::atomic<int32_t>& recording) : m_hWnd(hWnd), m_bRecording(recording) {}

void OggWriter::Warn(const CString& text)
{
    PostRecordingLog(m_hWnd, text, LOG_WARNING);
    m_bRecording = 0;
}

void OggWriter::ConvertInt32ToFloat(const int32_t* samples, float* out, unsigned count)
{
    const float scale = 1.0f / 2147483648.0f;
    for (unsigned i = 0; i < count; ++i)
        out[i] = static_cast<float>(samples[i]) * scale;
}

void OggWriter::WritePage(const void* header, long headerBytes, const void* body, long bodyBytes)
{
    if (m_bWriteFailed)
        return;
    const size_t h = static_cast<size_t>(headerBytes);
    const size_t b = static_cast<size_t>(bodyBytes);
    // Flushed page by page: a process that dies leaves every finished page on disk.
    if (fwrite(header, 1, h, m_pOggFile) == h && fwrite(body, 1, b, m_pOggFile) == b &&
        fflush(m_pOggFile) == 0)
        return;
    // Once: every later page would fail the same way.
    m_bWriteFailed = true;
    Warn(L"Output file write error");
}

void OggWriter::WriteBlocks(Encoder& e)
{
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1)
    {
        vorbis_analysis(&e.block, nullptr);
        vorbis_bitrate_addblock(&e.block);
        while (vorbis_bitrate_flushpacket(&e.dsp, &packet))
        {
            ogg_stream_packetin(&e.stream, &packet);
            while (!m_bEndOfStream && ogg_stream_pageout(&e.stream, &page) != 0)
            {
                WritePage(page.header, page.header_len, page.body, page.body_len);
                if (ogg_page_eos(&page))
                    m_bEndOfStream = true;
            }
        }
    }
}

int OggWriter::Record(const CString& path, const RecorderSettings& settings, SampleRing& ring,
                      const std::function<bool()>& captureEnded, std::atomic<int64_t>& samplesRead)
{
    const int channels = settings.nChannels;
    if (!SettingRanges::kChannels.Contains(channels) ||
        !SettingRanges::kSampleRateIndex.Contains(settings.nSampleRateIndex) ||
        !SettingRanges::kOggQuality.Contains(settings.nOggQuality))
    {
        // Refused as the encoder refuses what it cannot serve; the rate is not looked up.
        Warn(L"Invalid Ogg Vorbis format.");
        return 0;
    }
    std::vector<int32_t> samples(kChunk);
    std::vector<float> floats(kChunk);
    Encoder e;
    if (vorbis_encode_init_vbr(&e.info, channels, kSampleRates[settings.nSampleRateIndex],
                               static_cast<float>(settings.nOggQuality / 10.0)) != 0)
    {
        Warn(L"Invalid Ogg Vorbis format.");
        return 0;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path, L"w+b"), fclose);
    m_pOggFile = file.get();
    if (!m_pOggFile)
    {
        CString text;
        text.Format(L"Error creating file %s", path.GetString());
        Warn(text);
        return 0;
    }
    m_bEndOfStream = false;
    m_bWriteFailed = false;

    vorbis_analysis_init(&e.dsp, &e.info);
    e.hasDsp = true;
    vorbis_block_init(&e.dsp, &e.block);
    e.hasBlock = true;
    srand(static_cast<unsigned>(time(nullptr)));
    ogg_stream_init(&e.stream, rand());
    e.hasStream = true;

    // The three headers stand on their own pages before any audio.
    ogg_packet header, commentHeader, codebooks;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &commentHeader, &codebooks);
    ogg_stream_packetin(&e.stream, &header);
    ogg_stream_packetin(&e.stream, &commentHeader);
    ogg_stream_packetin(&e.stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&e.stream, &page) != 0)
        WritePage(page.header, page.header_len, page.body, page.body_len);

    samplesRead = 0;
    DrainRing(ring, samples.data(), kChunk, captureEnded,
              [&](const int32_t* p, unsigned n)
              {
                  // What follows a failed write never reaches the file.
                  if (m_bWriteFailed)
                      return;
                  const unsigned frames = n / static_cast<unsigned>(channels);
                  ConvertInt32ToFloat(p, floats.data(), frames * static_cast<unsigned>(channels));
                  float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(frames));
                  if (channels == 1)
                  {
                      for (unsigned f = 0; f < frames; ++f)
                          buffer[0][f] = floats[f];
                  }
                  else
                  {
                      for (unsigned f = 0; f < frames; ++f)
                      {
                          buffer[0][f] = floats[2 * f];
                          buffer[1][f] = floats[2 * f + 1];
                      }
                  }
                  vorbis_analysis_wrote(&e.dsp, static_cast<int>(frames));
                  WriteBlocks(e);
                  if (!m_bWriteFailed)
                      samplesRead += n;
              });

    vorbis_analysis_wrote(&e.dsp, 0);
    WriteBlocks(e);
    const int closeResult = fclose(file.release());
    m_pOggFile = nullptr;
    if (closeResult != 0 && !m_bWriteFailed)
    {
        m_bWriteFailed = true;
        Warn(L"Output file write error");
    }
    return 1;
}
