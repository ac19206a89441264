#include "engine/Mp3Writer.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "engine/DrainRing.h"
#include "engine/RecordingLog.h"
#include "framework/TextConvert.h"

namespace
{
// Closes the stream on every way out between a successful init and the close.
class StreamCloser
{
public:
    StreamCloser(const LameEncoder& lame, LameEncoder::HBE_STREAM& stream) : m_lame(lame), m_stream(stream) {}
    ~StreamCloser()
    {
        if (m_stream)
            m_lame.CloseStream(m_stream);
    }
    StreamCloser(const StreamCloser&) = delete;
    StreamCloser& operator=(const StreamCloser&) = delete;

private:
    const LameEncoder& m_lame;
    LameEncoder::HBE_STREAM& m_stream;
};

struct FileCloser
{
    void operator()(FILE* f) const { fclose(f); }
};

// The multibyte form of name when it converts back to exactly name.
bool ToExactMultiByte(LPCWSTR name, std::string& out)
{
    char narrow[1024];
    const int bytes = WideToMultiByte(name, narrow, sizeof(narrow));
    if (bytes <= 0 || bytes >= static_cast<int>(sizeof(narrow)) - 1)
        return false;
    std::vector<wchar_t> back(static_cast<size_t>(bytes) + 1);
    MultiByteToWide(narrow, back.data(), static_cast<int>(back.size()));
    if (CString(back.data()) != name)
        return false; // replaced or best-fit characters name another file
    out.assign(narrow, static_cast<size_t>(bytes));
    return true;
}
} // namespace

Mp3Writer::Mp3Writer(HWND hWnd, std::atomic<int32_t>& recording) : m_hWnd(hWnd), m_bRecording(recording) {}

void Mp3Writer::Warn(const CString& text)
{
    PostRecordingLog(m_hWnd, text, LOG_WARNING);
    m_bRecording = 0;
}

BOOL Mp3Writer::LoadEncoder(const CString& folder)
{
    if (!m_lame.Load(folder))
        Warn(L"Error loading lame_enc.dll.");
    // Skipped without a library: there is nothing to ask.
    m_bReady = m_lame.IsLoaded() && m_lame.GetEntryPoints();
    if (!m_bReady)
        Warn(L"Unable to get LAME interfaces.");
    return m_bReady ? TRUE : FALSE;
}

unsigned Mp3Writer::SplitToFloat(const int32_t* samples, unsigned count, int channels, float* left,
                                 float* right)
{
    const float scale = 1.0f / 65536.0f;
    if (channels == 1)
    {
        for (unsigned i = 0; i < count; ++i)
            left[i] = static_cast<float>(samples[i]) * scale;
        return count;
    }
    const unsigned frames = count / 2;
    for (unsigned f = 0; f < frames; ++f)
    {
        left[f] = static_cast<float>(samples[2 * f]) * scale;
        right[f] = static_cast<float>(samples[2 * f + 1]) * scale;
    }
    return frames;
}

std::string Mp3Writer::GetTagFileName(const CString& path)
{
    std::string name;
    if (ToExactMultiByte(path, name))
        return name;
    wchar_t shortPath[1024];
    const DWORD length = GetShortPathNameW(path, shortPath, 1024);
    if (length > 0 && length < 1024 && ToExactMultiByte(shortPath, name))
        return name;
    return std::string();
}

void Mp3Writer::WriteBytes(const BYTE* bytes, DWORD count, FILE* file)
{
    if (count == 0 || fwrite(bytes, 1, count, file) == count)
        return;
    // Once per recording: a full disk fails every chunk after the first.
    if (!m_bWriteFailed)
        Warn(L"Output file write error");
    m_bWriteFailed = true;
    m_bRecording = 0;
}

int Mp3Writer::Record(const CString& path, const RecorderSettings& settings, SampleRing& ring,
                      const std::function<bool()>& captureEnded, std::atomic<int64_t>& samplesRead)
{
    if (!m_bReady)
        return 0;
    if (!m_beConfig.Fill(settings))
    {
        Warn(L"The MP3 settings are out of range (sampling rate, channels or bitrate).");
        return 0;
    }
    m_bWriteFailed = false;
    m_bEncodeFailed = false;
    std::unique_ptr<FILE, FileCloser> file(_wfopen(path, L"w+b"));
    if (!file)
    {
        CString text;
        text.Format(L"Error creating file %s", path.GetString());
        Warn(text);
        return 0;
    }

    DWORD chunk = 0;
    DWORD outSize = 0;
    LameEncoder::HBE_STREAM stream = nullptr;
    const LameEncoder::BE_ERR initError = m_lame.InitStream(&m_beConfig, &chunk, &outSize, &stream);
    if (initError != 0 || chunk == 0)
    {
        if (stream)
            m_lame.CloseStream(stream);
        CString text;
        text.Format(L"Error opening encoding stream (%lu)", initError);
        Warn(text);
        return 0;
    }
    StreamCloser closer(m_lame, stream);

    const int channels = settings.nChannels;
    std::vector<BYTE> out(outSize);
    std::vector<int32_t> samples(chunk);
    std::vector<float> left(channels == 1 ? chunk : chunk / 2);
    std::vector<float> right(channels == 1 ? 0 : chunk / 2);
    samplesRead = 0;
    DrainRing(ring, samples.data(), chunk, captureEnded,
              [&](const int32_t* p, unsigned n)
              {
                  // What follows a failed write never reaches the file.
                  if (m_bWriteFailed)
                      return;
                  const unsigned perChannel = SplitToFloat(p, n, channels, left.data(), right.data());
                  DWORD produced = 0;
                  const LameEncoder::BE_ERR error = m_lame.EncodeChunkFloatS16NI(
                      stream, perChannel, left.data(), channels == 1 ? nullptr : right.data(), out.data(),
                      &produced);
                  if (error != 0 && !m_bEncodeFailed)
                  {
                      m_bEncodeFailed = true;
                      CString text;
                      text.Format(L"beEncodeChunk() failed (%lu)", error);
                      Warn(text);
                  }
                  WriteBytes(out.data(), produced, file.get());
                  if (!m_bWriteFailed)
                      samplesRead += n;
              });

    DWORD produced = 0;
    const LameEncoder::BE_ERR flushError = m_lame.DeinitStream(stream, out.data(), &produced);
    if (flushError != 0)
    {
        CString text;
        text.Format(L"beExitStream failed (%lu)", flushError);
        Warn(text);
    }
    WriteBytes(out.data(), produced, file.get());

    LameEncoder::HBE_STREAM closed = stream;
    m_lame.CloseStream(stream);
    stream = nullptr;
    if (fclose(file.release()) != 0 && !m_bWriteFailed)
    {
        m_bWriteFailed = true;
        Warn(L"Output file write error");
    }

    // The library reopens the file by a multibyte name to write the tag. It looks for
    // the frames it wrote and shows a message box when they are not there, so a file
    // that missed a write gets no tag (the library frees the stream only in that call).
    if (m_bWriteFailed)
        return 1;
    const std::string tagName = GetTagFileName(path);
    if (tagName.empty())
    {
        PostRecordingLog(m_hWnd,
                         L"The MP3 information tag was not written: the file name cannot be passed to "
                         L"the encoder.",
                         LOG_WARNING);
    }
    else if (m_lame.HasInfoTag())
    {
        m_lame.WriteInfoTag(closed, tagName.c_str());
    }
    else
    {
        m_lame.WriteVBRHeader(tagName.c_str());
    }
    return 1;
}
