#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "../engine/TestFiles.h"
#include "app/SettingsFile.h"
#include "app/SettingsTable.h"
#include "app/TextEncoding.h"
#include "framework/TextConvert.h"

namespace
{
const CString kDefaultDir = L"D:\\Default Music\\";

bool WriteText(const std::wstring& path, const std::string& text)
{
    return WriteAll(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string Narrow(LPCWSTR text)
{
    std::string out;
    for (; *text; ++text)
        out += static_cast<char>(*text < 128 ? *text : '?');
    return out;
}

// Every field of the table, key by key, so that a failure names the key.
void ExpectSameSettings(const RecorderSettings& expected, const RecorderSettings& actual)
{
    size_t count = 0;
    const SettingKey* keys = GetSettingKeys(&count);
    for (size_t i = 0; i < count; ++i)
    {
        const SettingKey& k = keys[i];
        SCOPED_TRACE(testing::Message() << Narrow(k.key));
        if (k.width == SettingWidth::Int32)
            EXPECT_EQ(expected.*k.p32, actual.*k.p32);
        else if (k.width == SettingWidth::Int16)
            EXPECT_EQ(expected.*k.p16, actual.*k.p16);
        else
            EXPECT_EQ(std::wstring(expected.*k.pText), std::wstring(actual.*k.pText));
    }
    EXPECT_EQ(expected.nMp3Quality, actual.nMp3Quality);
}

std::wstring ReadRaw(const std::wstring& path, LPCWSTR section, LPCWSTR key)
{
    wchar_t buffer[256] = {};
    GetPrivateProfileStringW(section, key, L"<missing>", buffer, 256, path.c_str());
    return buffer;
}
} // namespace

TEST(SettingsFile, TableCoversEveryFieldAndAnEmptyFileGivesTheInitialValues)
{
    size_t count = 0;
    const SettingKey* keys = GetSettingKeys(&count);
    ASSERT_EQ(count, 24u);
    std::set<std::wstring> names;
    std::set<const void*> fields;
    RecorderSettings probe;
    for (size_t i = 0; i < count; ++i)
    {
        names.insert(keys[i].key);
        fields.insert(keys[i].p32   ? static_cast<const void*>(&(probe.*keys[i].p32))
                      : keys[i].p16 ? static_cast<const void*>(&(probe.*keys[i].p16))
                                    : static_cast<const void*>(&(probe.*keys[i].pText)));
    }
    EXPECT_EQ(names.size(), count);
    EXPECT_EQ(fields.size(), count);

    TempFolder folder;
    RecorderSettings expected;
    expected.strDestDir = kDefaultDir;
    for (const std::wstring& name : {std::wstring(L"Config.ini"), std::wstring(L"Missing.ini")})
    {
        SettingsFile file((folder.Path() + name).c_str());
        if (name == L"Config.ini")
        {
            ASSERT_TRUE(file.CreateEmpty());
        }
        RecorderSettings loaded;
        loaded.bShowAmplitude = 7;
        loaded.nInputDevice = 5;
        loaded.strFileName = L"junk";
        loaded.nOggQuality = 0;
        EXPECT_TRUE(file.Load(loaded, kDefaultDir));
        ExpectSameSettings(expected, loaded);
    }
}

TEST(SettingsFile, KeysOfAHandWrittenFileReachTheirFields)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    ASSERT_TRUE(WriteText(path, "[MISC]\r\nAmpDigi=0\r\nStop=1\r\nStopHour=3\r\nStopMin=4\r\nStopSec=5\r\n"
                                "MinToTray=1\r\nCloseToTray=1\r\nActAftRec=1\r\nInputDevice=2\r\nMute=0\r\n"
                                "WriteLog=1\r\nLCB=40\r\nRCB=60\r\n[OUTPUT]\r\nOutputFormat=3\r\nFreq=12\r\n"
                                "Chan=1\r\nResolution=0\r\nLoc=0\r\nDesDir=E:\\Rec\\\r\nName=Take\r\n"
                                "[WAV]\r\nSubFormat=0\r\n[MP3]\r\nLameBits=4\r\nLameChannel=2\r\n"
                                "[OGG]\r\nQualityCompression=-1\r\n"));
    RecorderSettings expected;
    expected.bShowAmplitude = 0;
    expected.bAutoStop = 1;
    expected.nStopHour = 3;
    expected.nStopMinute = 4;
    expected.nStopSecond = 5;
    expected.bMinimizeToTray = 1;
    expected.bCloseToTray = 1;
    expected.nActionAfterRecording = 1;
    expected.nInputDevice = 2;
    expected.bMuteWhileRecording = 0;
    expected.bWriteLogFile = 1;
    expected.nLeftBalance = 40;
    expected.nRightBalance = 60;
    expected.nOutputFormat = FORMAT_OGG;
    expected.nSampleRateIndex = 12; // no limit: consumers check the index
    expected.nChannels = 1;
    expected.nResolution = RESOLUTION_U8;
    expected.nSaveLocation = 0;
    expected.strDestDir = L"E:\\Rec\\";
    expected.strFileName = L"Take";
    expected.nWavSubFormat = 0;
    expected.nMp3BitrateIndex = 4;
    expected.nMp3ChannelMode = 2;
    expected.nOggQuality = -1;
    RecorderSettings loaded;
    ASSERT_TRUE(SettingsFile(path.c_str()).Load(loaded, kDefaultDir));
    ExpectSameSettings(expected, loaded);

    // Saved into a new file and loaded again, nothing changes.
    SettingsFile copy((folder.Path() + L"Copy.ini").c_str());
    ASSERT_TRUE(copy.CreateEmpty());
    ASSERT_TRUE(copy.Save(loaded));
    EXPECT_EQ(ReadRaw(folder.Path() + L"Copy.ini", L"OGG", L"QualityCompression"), L"-1");
    RecorderSettings reloaded;
    ASSERT_TRUE(copy.Load(reloaded, kDefaultDir));
    ExpectSameSettings(expected, reloaded);
}

TEST(SettingsFile, LimitsSixteenBitWrapAndValuesWithoutANumber)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    ASSERT_TRUE(WriteText(
        path, "[MISC]\r\nAmpDigi=\r\nMute=abc\r\nStopHour=70000\r\nLCB=40000\r\n"
              "RCB=-5\r\nStopSec=+7\r\nStopMin=12abc\r\nInputDevice=-1\r\nStop=4294967297\r\n"
              "[OUTPUT]\r\nChan= 1 \r\n"
              "[WAV]\r\nSubFormat=5\r\n[MP3]\r\nLameBits=65535\r\n[OGG]\r\nQualityCompression=9\r\n"));
    SettingsFile file(path.c_str());
    RecorderSettings s;
    ASSERT_TRUE(file.Load(s, kDefaultDir));
    EXPECT_EQ(s.bShowAmplitude, 0); // an empty value is 0, not the default 1
    EXPECT_EQ(s.bMuteWhileRecording, 0);
    EXPECT_EQ(s.nStopHour, 4464);
    EXPECT_EQ(s.nLeftBalance, -25536);
    EXPECT_EQ(s.nRightBalance, -5);
    EXPECT_EQ(s.nStopSecond, 7);
    EXPECT_EQ(s.nStopMinute, 12);
    EXPECT_EQ(s.nInputDevice, -1);
    EXPECT_EQ(s.bAutoStop, 1); // wraps at 32 bits
    EXPECT_EQ(s.nChannels, 1);
    EXPECT_EQ(s.nWavSubFormat, 1);
    EXPECT_EQ(s.nMp3BitrateIndex, -1); // the limit applies to the 16-bit value
    EXPECT_EQ(s.nOggQuality, 6);

    WriteText(path, "[MP3]\r\nLameBits=20\r\n[OGG]\r\nQualityCompression=-1\r\n");
    ASSERT_TRUE(file.Load(s, kDefaultDir));
    EXPECT_EQ(s.nMp3BitrateIndex, 13);
    EXPECT_EQ(s.nOggQuality, -1);

    EXPECT_EQ(file.ReadInt(kTipSection, kTipKey, kTipDefault), 1);
    EXPECT_TRUE(file.WriteInt(kTipSection, kTipKey, 0));
    EXPECT_EQ(file.ReadInt(kTipSection, kTipKey, kTipDefault), 0);
}

TEST(SettingsFile, TextsKeepAtMost1023Characters)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    const std::string longDir(2000, 'd');
    const std::string exactName(1023, 'n');
    ASSERT_TRUE(WriteText(path, "[OUTPUT]\r\nDesDir=" + longDir + "\r\nName=" + exactName + "\r\n"));
    RecorderSettings s;
    ASSERT_TRUE(SettingsFile(path.c_str()).Load(s, kDefaultDir));
    EXPECT_EQ(std::wstring(s.strDestDir), std::wstring(1023, L'd'));
    EXPECT_EQ(std::wstring(s.strFileName), std::wstring(1023, L'n'));
}

TEST(SettingsFile, SaveKeepsOtherKeysAndReportsAReadOnlyFile)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    ASSERT_TRUE(WriteText(path, "[MISC]\r\nTip=0\r\nFuture=abc\r\nStop=1\r\n[OTHER]\r\nx=y\r\n"));
    SettingsFile file(path.c_str());
    RecorderSettings s;
    s.nOggQuality = -1;
    s.strDestDir = kDefaultDir;
    ASSERT_TRUE(file.Save(s));
    EXPECT_EQ(ReadRaw(path, L"MISC", L"Tip"), L"0");
    EXPECT_EQ(ReadRaw(path, L"MISC", L"Future"), L"abc");
    EXPECT_EQ(ReadRaw(path, L"OTHER", L"x"), L"y");
    EXPECT_EQ(ReadRaw(path, L"MISC", L"Stop"), L"0");
    EXPECT_EQ(ReadRaw(path, L"MISC", L"InputDevice"), L"-1");
    EXPECT_EQ(ReadRaw(path, L"OGG", L"QualityCompression"), L"-1");

    // Settings that cannot be written must not be reported as saved: a file another
    // program holds open without sharing, and a read-only file.
    s.nLeftBalance = 50;
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.Save(s));
    CloseHandle(lock);
    EXPECT_EQ(ReadRaw(path, L"MISC", L"LCB"), L"100");

    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine run by root writes read-only files all the same; elsewhere the write fails.
    HANDLE probe =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
    {
        EXPECT_FALSE(file.Save(s));
        EXPECT_EQ(ReadRaw(path, L"MISC", L"LCB"), L"100");
    }
    else
    {
        CloseHandle(probe);
        std::printf("read-only files are writable here (root under Wine): only the lock was checked\n");
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsFile, NewFileIsUtf16AndKeepsNamesOutsideTheCodePage)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    SettingsFile file(path.c_str());
    EXPECT_FALSE(file.Exists());
    ASSERT_TRUE(file.CreateEmpty());
    EXPECT_TRUE(file.Exists());
    EXPECT_EQ(ReadAll(path), (std::vector<uint8_t>{0xFF, 0xFE}));

    RecorderSettings s;
    s.strDestDir = L"C:\\\u041c\u0443\u0437\u044b\u043a\u0430\\\u97f3\u697d\\";
    s.strFileName = L"\u0394\u03b5\u03bb\u03c4\u03b1";
    ASSERT_TRUE(file.Save(s));
    RecorderSettings loaded;
    ASSERT_TRUE(file.Load(loaded, kDefaultDir));
    ExpectSameSettings(s, loaded);
    const std::vector<uint8_t> bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);

    // An existing file is left as it is.
    ASSERT_TRUE(file.CreateEmpty());
    EXPECT_EQ(ReadAll(path), bytes);

    // Removed (as Reset ALL does), the file comes back in UTF-16 from a save or a single key.
    for (const bool wholeSave : {true, false})
    {
        ASSERT_TRUE(::DeleteFileW(path.c_str()));
        ASSERT_TRUE(wholeSave ? file.Save(s) : file.WriteInt(kTipSection, kTipKey, 0));
        const std::vector<uint8_t> again = ReadAll(path);
        ASSERT_GE(again.size(), 2u) << wholeSave;
        EXPECT_EQ(again[0], 0xFF) << wholeSave;
        EXPECT_EQ(again[1], 0xFE) << wholeSave;
    }
    ASSERT_TRUE(file.Save(s));
    ASSERT_TRUE(file.Load(loaded, kDefaultDir));
    ExpectSameSettings(s, loaded);

    // An 8-bit file (the code page, or UTF-8 with its mark) is made UTF-16 before the first
    // write, every line kept as the system read it, so that the write loses nothing.
    const std::string cafe = WideToAnsi(L"Caf\u00e9");
    for (const std::string& eightBit :
         {"; by hand\r\n[MISC]\r\nTip=0\r\nExtra=keep\r\n[OUTPUT]\r\nName=" + cafe + "\r\n",
          std::string(
              "\xEF\xBB\xBF; by hand\r\n[MISC]\r\nTip=0\r\nExtra=keep\r\n[OUTPUT]\r\nName=Caf\xC3\xA9\r\n")})
    {
        for (const bool wholeSave : {false, true})
        {
            SCOPED_TRACE(testing::Message() << wholeSave);
            ASSERT_TRUE(WriteText(path, eightBit));
            if (wholeSave)
            {
                s.strFileName = L"\u0417\u0430\u043f\u0438\u0441\u044c";
                ASSERT_TRUE(file.Save(s));
            }
            else
            {
                ASSERT_TRUE(file.WriteInt(kTipSection, kTipKey, 1));
                EXPECT_EQ(ReadRaw(path, L"OUTPUT", L"Name"), L"Caf\u00e9");
            }
            const std::vector<uint8_t> utf16 = ReadAll(path);
            ASSERT_GE(utf16.size(), 2u);
            EXPECT_EQ(utf16[0], 0xFF);
            EXPECT_EQ(utf16[1], 0xFE);
            const std::wstring text(reinterpret_cast<const wchar_t*>(utf16.data() + 2),
                                    (utf16.size() - 2) / 2);
            EXPECT_NE(text.find(L"; by hand\r\n[MISC]"), std::wstring::npos);
            EXPECT_EQ(ReadRaw(path, L"MISC", L"Extra"), L"keep");
            EXPECT_EQ(ReadRaw(path, L"MISC", L"Tip"), wholeSave ? L"0" : L"1");
        }
        ASSERT_TRUE(file.Load(loaded, kDefaultDir));
        EXPECT_EQ(std::wstring(loaded.strFileName), std::wstring(s.strFileName));
    }
}

namespace
{
// The file's text after its UTF-16LE mark, which must be there.
std::wstring Utf16Text(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE)
        return L"<no UTF-16LE mark>";
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
}
} // namespace

// Files as editors and scripts write them, without a mark: UTF-16 either way round, and
// UTF-8. Read as written, and a write keeps every line.
TEST(SettingsFile, FilesWithoutAMarkAreReadAsWrittenAndKeepEveryLine)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    SettingsFile file(path.c_str());
    const std::wstring lines[] = {L"; kept by hand",         L"[MISC]",    L"Stop=1",  L"[OUTPUT]",
                                  L"DesDir=C:\\Caf\u00e9\\", L"Name=Take", L"[OTHER]", L"x=\u00e9t\u00e9"};
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    const std::vector<uint8_t> littleEndian = Utf16Bytes(text);
    std::vector<uint8_t> bigEndian = littleEndian;
    for (size_t i = 0; i + 1 < bigEndian.size(); i += 2)
        std::swap(bigEndian[i], bigEndian[i + 1]);
    const std::string utf8 = WideToAnsi(text.c_str(), CP_UTF8);
    const std::vector<uint8_t> encodings[] = {littleEndian, bigEndian,
                                              std::vector<uint8_t>(utf8.begin(), utf8.end())};

    for (const std::vector<uint8_t>& written : encodings)
    {
        SCOPED_TRACE(testing::Message() << "encoding " << (&written - encodings));
        // The Tip of the Day's single key, on a file nothing has read yet.
        ASSERT_TRUE(WriteAll(path, written));
        ASSERT_TRUE(file.WriteInt(kTipSection, kTipKey, 0));
        std::wstring after = Utf16Text(ReadAll(path));
        for (const std::wstring& line : lines)
            EXPECT_NE(after.find(line + L"\r\n"), std::wstring::npos) << Narrow(line.c_str());
        EXPECT_EQ(ReadRaw(path, kTipSection, kTipKey), L"0");

        ASSERT_TRUE(WriteAll(path, written));
        RecorderSettings s;
        ASSERT_TRUE(file.Load(s, kDefaultDir));
        EXPECT_EQ(std::wstring(s.strDestDir), L"C:\\Caf\u00e9\\");
        EXPECT_EQ(std::wstring(s.strFileName), L"Take");
        EXPECT_EQ(s.bAutoStop, 1);
        ASSERT_TRUE(file.Save(s));
        after = Utf16Text(ReadAll(path));
        for (const std::wstring& line : lines)
            EXPECT_NE(after.find(line + L"\r\n"), std::wstring::npos) << Narrow(line.c_str());
    }
}

// A file that is no text of ours is left as it is by every read and write, and they fail.
TEST(SettingsFile, AFileThatIsNoTextIsNeitherReadNorRewritten)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    SettingsFile file(path.c_str());
    std::vector<uint8_t> junk = {'M', 'Z', 0x90, 0x00, 0x03, 0x00, 0x00, 0x00};
    for (int i = 1; i < 600; ++i)
        junk.push_back(static_cast<uint8_t>(i * 37));
    ASSERT_TRUE(WriteAll(path, junk));

    RecorderSettings s;
    s.strFileName = L"as it was";
    EXPECT_FALSE(file.Load(s, kDefaultDir));
    EXPECT_EQ(std::wstring(s.strFileName), L"as it was");
    EXPECT_EQ(ReadAll(path), junk);
    EXPECT_FALSE(file.Save(s));
    EXPECT_EQ(ReadAll(path), junk);
    EXPECT_FALSE(file.WriteInt(kTipSection, kTipKey, 0));
    EXPECT_EQ(ReadAll(path), junk);
}

// A temporary file left behind read-only by an earlier run does not stop the next save.
// (Wine run by root writes read-only files all the same: there only the replacing is checked.)
TEST(SettingsFile, AReadOnlyLeftoverOfAnEarlierSaveIsReplaced)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    const std::wstring leftover = path + L".new";
    ASSERT_TRUE(WriteText(leftover, "half"));
    ASSERT_TRUE(SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(WriteText(path, "[OTHER]\r\nx=y\r\n"));
    SettingsFile file(path.c_str());
    RecorderSettings s;
    s.strFileName = L"Take";
    const BOOL saved = file.Save(s);
    SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadRaw(path, L"OUTPUT", L"Name"), L"Take");
    EXPECT_EQ(ReadRaw(path, L"OTHER", L"x"), L"y");
    EXPECT_FALSE(FileExists(leftover));
}

// A file without the mark that cannot be rewritten (another program holds it, or the
// temporary beside it cannot be made) is read from its own text all the same, every key as
// the system's reader finds it in a UTF-16 file; its saves fail and leave it as it is.
TEST(SettingsFile, AFileThatCannotBeRewrittenIsReadFromItsOwnText)
{
    TempFolder folder;
    const std::wstring path = folder.Path() + L"Config.ini";
    const std::wstring temporary = path + L".new";
    SettingsFile file(path.c_str());
    const std::wstring text = L"[misc]\r\n"
                              L"  stop =  1 \r\n"
                              L"StopHour=70000\r\n"
                              L"LCB=40\r\n"
                              L"LCB=41\r\n"
                              L"Mute\r\n"
                              L"Tip=0\r\n"
                              L"[OUTPUT]\r\n"
                              L";Loc=0\r\n"
                              L"Freq=3\r\n"
                              L"DesDir=C:\\Rec\\Caf\u00e9\\\r\n"
                              L"Name=\" Take \"\r\n"
                              L"[OGG]\r\n"
                              L"QualityCompression=9\r\n"
                              L"[Output]\r\n"
                              L"Chan=1\r\n"
                              L"[OTHER]\r\n"
                              L"Long=" +
                              std::wstring(2000, L'x') + L"\r\n";
    RecorderSettings expected;
    expected.strDestDir = L"C:\\Rec\\Caf\u00e9\\";
    expected.strFileName = L" Take ";
    expected.bAutoStop = 1;
    expected.nStopHour = 4464;
    expected.nLeftBalance = 40;
    expected.nSampleRateIndex = 3;
    expected.nOggQuality = 6;

    const std::vector<uint8_t> littleEndian = Utf16Bytes(text);
    std::vector<uint8_t> bigEndian = littleEndian;
    for (size_t i = 0; i + 1 < bigEndian.size(); i += 2)
        std::swap(bigEndian[i], bigEndian[i + 1]);
    const std::string utf8 = WideToAnsi(text.c_str(), CP_UTF8);
    const std::vector<uint8_t> encodings[] = {std::vector<uint8_t>(utf8.begin(), utf8.end()), littleEndian,
                                              bigEndian};
    // Every value and the tip switch, the file having been made UTF-16 or not as wanted.
    const auto expectLoaded = [&](SettingsFile::Utf16Result wanted)
    {
        RecorderSettings loaded;
        SettingsFile::Utf16Result made = wanted == SettingsFile::Utf16Result::Ready
                                             ? SettingsFile::Utf16Result::Failed
                                             : SettingsFile::Utf16Result::Ready;
        EXPECT_TRUE(file.Load(loaded, kDefaultDir, &made));
        EXPECT_EQ(made, wanted);
        ExpectSameSettings(expected, loaded);
        EXPECT_EQ(file.ReadInt(kTipSection, kTipKey, kTipDefault), 0);
        return loaded;
    };
    for (const std::vector<uint8_t>& written : encodings)
    {
        for (const bool held : {true, false})
        {
            SCOPED_TRACE(testing::Message() << "encoding " << (&written - encodings) << ", held " << held);
            ASSERT_TRUE(WriteAll(path, written));
            // Another program reading it, sharing no more than reading; or a folder where
            // the rewrite puts its temporary file.
            HANDLE holder = INVALID_HANDLE_VALUE;
            if (held)
            {
                holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                     nullptr);
                ASSERT_NE(holder, INVALID_HANDLE_VALUE);
            }
            else
            {
                ASSERT_TRUE(CreateDirectoryW(temporary.c_str(), nullptr));
            }
            const RecorderSettings loaded = expectLoaded(SettingsFile::Utf16Result::Failed);
            EXPECT_EQ(file.ReadText(L"OTHER", L"Long", L"").GetLength(), 1023);
            EXPECT_FALSE(file.Save(loaded));
            EXPECT_FALSE(file.WriteInt(kTipSection, kTipKey, 1));
            if (held)
                CloseHandle(holder);
            else
                RemoveDirectoryW(temporary.c_str());
            EXPECT_EQ(ReadAll(path), written);
        }

        // Once it can be rewritten, the system's reader finds the same values.
        expectLoaded(SettingsFile::Utf16Result::Ready);
    }
}

namespace
{
std::vector<BYTE> Utf16Order(const std::wstring& text, bool bigEndian)
{
    std::vector<BYTE> bytes = Utf16Bytes(text);
    for (size_t i = 0; bigEndian && i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

std::vector<BYTE> Bytes(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}
} // namespace

// Each case the recognition of a file without the UTF-16 mark decides.
TEST(TextEncoding, EachEncodingAndWhatIsNoText)
{
    using Kind = TextEncoding::Kind;
    const std::wstring mixed = L"[MISC]\r\nName=Caf\u00e9 \u97f3\r\n";
    struct Case
    {
        const char* what;
        std::vector<BYTE> bytes;
        Kind kind;
        std::wstring text;
    } const cases[] = {
        {"empty", {}, Kind::CodePage, L""},
        {"ASCII of odd length", Bytes("a=1"), Kind::CodePage, L"a=1"},
        {"UTF-16 cut short", {'a', 0, '=', 0, '1'}, Kind::NotText, L""},
        {"a NUL byte in 8-bit text", {'a', '=', 0, '1'}, Kind::NotText, L""},
        {"UTF-16 with a NUL character", Utf16Order(std::wstring(L"name=1\0x", 8), false), Kind::NotText, L""},
        {"UTF-16LE", Utf16Order(mixed, false), Kind::Utf16LittleEndian, mixed},
        {"UTF-16BE", Utf16Order(mixed, true), Kind::Utf16BigEndian, mixed},
        {"a surrogate pair", Utf16Order(L"name=\xD83D\xDE00", true), Kind::Utf16BigEndian,
         L"name=\xD83D\xDE00"},
        {"a high surrogate without its low one", Utf16Order(L"name=\xD83Dx", false), Kind::NotText, L""},
        {"a low surrogate alone", Utf16Order(L"name=x\xDE00", true), Kind::NotText, L""},
        {"a high surrogate at the end", Utf16Order(L"name=x\xD83D", false), Kind::NotText, L""},
        {"valid UTF-8", Bytes("Name=Caf\xC3\xA9"), Kind::Utf8, L"Name=Caf\u00e9"},
        {"UTF-8 with its mark", Bytes("\xEF\xBB\xBFName=Caf\xC3\xA9"), Kind::Utf8Marked, L"Name=Caf\u00e9"},
        {"the UTF-8 mark before invalid UTF-8", Bytes("\xEF\xBB\xBFName=Caf\xE9"), Kind::NotText, L""},
        {"invalid UTF-8", Bytes("Name=" + WideToAnsi(L"Caf\u00e9")), Kind::CodePage, L"Name=Caf\u00e9"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CString text = L"left over";
        EXPECT_EQ(TextEncoding::Decode(c.bytes, text), c.kind);
        EXPECT_EQ(std::wstring(text), c.text);
    }
}
