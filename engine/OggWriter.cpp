#include "engine/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <cstdlib>
#include <ctime>
#include <utility>

#include "engine/FormatSupportTable.h"

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

OggWriter::OggWriter(const RecorderSettings& settings, WarnFn warn)
    : RecordingWriter(std::move(warn)), m_settings(settings)
{
}

OggWriter::~OggWriter() = default;

void OggWriter::ConvertInt32ToFloat(const int32_t* samples, float* out, unsigned count)
{
    const float scale = 1.0f / 2147483648.0f;
    for (unsigned i = 0; i < count; ++i)
        out[i] = static_cast<float>(samples[i]) * scale;
}

void OggWriter::WritePage(const void* header, long headerBytes, const void* body, long bodyBytes,
                          int64_t granule)
{
    // Once a write has failed, every later page would fail the same way.
    if (HasWriteFailed())
        return;
    // Straight to the system page by page: a process that dies leaves every finished
    // page on disk.
    try
    {
        m_file->Write(header, static_cast<UINT>(headerBytes));
        m_file->Write(body, static_cast<UINT>(bodyBytes));
    }
    catch (const CFileException& e)
    {
        // The file ends after the last whole page: a part of one is no page.
        CutBack(*m_file, m_nBytesOnDisk);
        FailWrite(e);
        return;
    }
    m_nBytesOnDisk += static_cast<uint64_t>(headerBytes) + static_cast<uint64_t>(bodyBytes);
    // A player gets up to the last whole page's position.
    if (granule >= 0)
        m_nSamplesOnDisk = granule * m_settings.nChannels;
}

void OggWriter::WriteBlocks()
{
    Encoder& e = *m_encoder;
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
                WritePage(page.header, page.header_len, page.body, page.body_len, ogg_page_granulepos(&page));
                if (ogg_page_eos(&page))
                    m_bEndOfStream = true;
            }
        }
    }
}

bool OggWriter::Open(const CString& path, std::unique_ptr<CFile> file)
{
    const int channels = m_settings.nChannels;
    if (!SettingRanges::kChannels.Contains(channels) ||
        !SettingRanges::kSampleRateIndex.Contains(m_settings.nSampleRateIndex) ||
        !SettingRanges::kOggQuality.Contains(m_settings.nOggQuality))
    {
        // Refused as the encoder refuses what it cannot serve; the rate is not looked up.
        Warn(L"Invalid Ogg Vorbis format.");
        return false;
    }
    m_encoder.reset(new Encoder);
    Encoder& e = *m_encoder;
    if (vorbis_encode_init_vbr(&e.info, channels, kSampleRates[m_settings.nSampleRateIndex],
                               static_cast<float>(m_settings.nOggQuality / 10.0)) != 0)
    {
        Warn(L"Invalid Ogg Vorbis format.");
        return false;
    }
    if (!CreateOutput(path, *file))
        return false;
    m_file = std::move(file);
    m_floats.resize(kChunk);

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
        WritePage(page.header, page.header_len, page.body, page.body_len, ogg_page_granulepos(&page));
    if (HasWriteFailed())
    {
        DiscardOutput(*m_file, path);
        return false;
    }
    return true;
}

void OggWriter::Write(const int32_t* samples, unsigned count)
{
    const unsigned channels = static_cast<unsigned>(m_settings.nChannels);
    const unsigned frames = count / channels;
    ConvertInt32ToFloat(samples, m_floats.data(), frames * channels);
    float** buffer = vorbis_analysis_buffer(&m_encoder->dsp, static_cast<int>(frames));
    if (channels == 1)
    {
        for (unsigned f = 0; f < frames; ++f)
            buffer[0][f] = m_floats[f];
    }
    else
    {
        for (unsigned f = 0; f < frames; ++f)
        {
            buffer[0][f] = m_floats[2 * f];
            buffer[1][f] = m_floats[2 * f + 1];
        }
    }
    vorbis_analysis_wrote(&m_encoder->dsp, static_cast<int>(frames));
    WriteBlocks();
}

void OggWriter::Finish()
{
    vorbis_analysis_wrote(&m_encoder->dsp, 0);
    WriteBlocks();
    try
    {
        m_file->Close();
    }
    catch (const CFileException& e)
    {
        FailWrite(e);
    }
}
