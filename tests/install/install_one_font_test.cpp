#include "install/install_one_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

#include "install/install_job.h"
#include "install/progress.h"
#include "tests/install/fake_platform.h"

namespace {

constexpr char kFonts[] = "C:\\WINDOWS\\Fonts";
constexpr char kOther[] = "D:\\MyFonts";
constexpr char kSource[] = "C:\\Setup\\FONTDATA\\ABC.cmp";
constexpr uint8_t kGoodChecksum = 0x5A;

// A codec over the fake's files: reading adds the 30 units the real one adds,
// "decompressing" copies, "descrambling" checks the last byte. Its buffers
// are kept from font to font, as the real codec's are.
struct FakeCodec {
    explicit FakeCodec(VLFakePlatform& fake) : m_fake(fake) {}

    VLFontCodec Codec() {
        return VLFontCodec{
            [this](const std::string& path, VLCmpFileBytes& bytes) {
                if (m_bThrow) throw std::bad_alloc();
                auto found = m_fake.m_files.find(path);
                if (found == m_fake.m_files.end() || found->second.empty()) return false;
                for (int i = 0; i < 7; ++i) AddProgress(30.0 / 7);
                VLReusableBuffer& file = bytes.UseBuffer();
                if (!file.Resize(static_cast<uint32_t>(found->second.size()))) return false;
                std::memcpy(file.Data(), found->second.data(), file.Size());
                return true;
            },
            [this](const uint8_t* file, uint32_t size, VLReusableBuffer& font) {
                if (m_bFailDecompress || !font.Resize(size)) return false;
                std::memcpy(font.Data(), file, size);
                return true;
            },
            [this](int32_t number, uint8_t* buffer, uint32_t size) {
                m_number = number;
                return size > 0 && buffer[size - 1] == kGoodChecksum;
            },
            [this](const uint8_t*, size_t, std::string& problem) {
                problem = "table glyf checksum mismatch";
                return m_structure;
            },
            m_buffers,
        };
    }

    VLFakePlatform& m_fake;
    bool m_bThrow = false;
    bool m_bFailDecompress = false;
    int32_t m_number = -1;
    VLSfntCheck m_structure = VLSfntCheck::kSound;
    std::shared_ptr<VLFontBuffers> m_buffers = std::make_shared<VLFontBuffers>();
};

VLFontInfo Font() {
    VLFontInfo font;
    font.m_baseName = "ABC";
    font.m_familyName = "Fam";
    font.m_styleName = "W3";
    font.m_fileNumber = 123;
    return font;
}

std::string SourceBytes(uint8_t checksum) {
    std::string bytes = "font bytes";
    bytes.push_back(static_cast<char>(checksum));
    return bytes;
}

TEST(InstallOneFont, FailureTable) {
    struct Case {
        const char* name;
        const char* source;  // null: no .cmp file
        uint8_t checksum;
        bool failDecompress;
        bool throws;
        const char* folder;
        int failWrite;
        bool failRegistry;
        const char* fontType;
        int32_t result;
        bool fileWritten;
    } cases[] = {
        {"installed", kSource, kGoodChecksum, false, false, kFonts, 0, false, "TTF", 0, true},
        {".cmp missing", nullptr, kGoodChecksum, false, false, kFonts, 0, false, "TTF", 4, false},
        {".cmp empty", "", kGoodChecksum, false, false, kFonts, 0, false, "TTF", 4, false},
        {"decompression fails", kSource, kGoodChecksum, true, false, kFonts, 0, false, "TTF", 4, false},
        {"checksum mismatch", kSource, 0x00, false, false, kFonts, 0, false, "TTF", 4, false},
        {"destination cannot be opened", kSource, kGoodChecksum, false, false, "E:\\Missing", 0, false, "TTF",
         4, false},
        {"write error", kSource, kGoodChecksum, false, false, kFonts, 1, false, "TTF", 4, false},
        // A registration that fails or a type that writes nothing is no success.
        {"registration fails", kSource, kGoodChecksum, false, false, kFonts, 0, true, "TTF", 4, false},
        {"font type otf in lower case", kSource, kGoodChecksum, false, false, kFonts, 0, false, "otf", 4,
         false},
        {"allocation failure inside", kSource, kGoodChecksum, false, true, kFonts, 0, false, "TTF", 4, false},
    };
    for (const Case& c : cases) {
        VLProgressFixture progress;
        VLFakePlatform fake;
        fake.m_folders = {kFonts, kOther};
        fake.m_failWriteNumber = c.failWrite;
        fake.m_bFailOpenKey = c.failRegistry;
        if (c.source) fake.m_files[kSource] = *c.source ? SourceBytes(c.checksum) : std::string();
        FakeCodec codec(fake);
        codec.m_bFailDecompress = c.failDecompress;
        codec.m_bThrow = c.throws;
        const std::string folder = c.folder;
        const std::string dest = folder + "\\ABC.ttf";

        VLFontReport report;
        report.registered = true;
        EXPECT_EQ(InstallOneFont(fake.Platform(), codec.Codec(), dest, Font(), kSource, c.fontType, &report),
                  c.result)
            << c.name;
        EXPECT_EQ(fake.Exists(dest), c.fileWritten) << c.name;
        EXPECT_TRUE(fake.TempFiles().empty()) << c.name;
        EXPECT_EQ(report.registered, c.fileWritten && folder == kFonts) << c.name;
        if (c.fileWritten) {
            EXPECT_EQ(fake.m_files[dest], "font bytes") << c.name;
        }
    }
}

// The .cmp checksum covers only a font's start: a font whose own structure is
// broken fails like a bad checksum; a stale table checksum in a sound font is
// a warning and the font is installed.
TEST(InstallOneFont, TheFontsOwnStructureIsCheckedBeforeWriting) {
    struct Case {
        VLSfntCheck structure;
        int32_t result;
        const char* warning;
    } cases[] = {
        {VLSfntCheck::kSound, 0, ""},
        {VLSfntCheck::kNotSfnt, 0, ""},
        {VLSfntCheck::kChecksumMismatch, 0, "table glyf checksum mismatch"},
        {VLSfntCheck::kBroken, 4, ""},
    };
    for (const Case& c : cases) {
        VLProgressFixture progress;
        VLFakePlatform fake;
        fake.m_folders = {kOther};
        fake.m_files[kSource] = SourceBytes(kGoodChecksum);
        FakeCodec codec(fake);
        codec.m_structure = c.structure;
        const std::string dest = std::string(kOther) + "\\ABC.ttf";
        VLFontReport report;
        EXPECT_EQ(InstallOneFont(fake.Platform(), codec.Codec(), dest, Font(), kSource, "TTF", &report),
                  c.result)
            << static_cast<int>(c.structure);
        EXPECT_EQ(fake.Exists(dest), c.result == 0) << static_cast<int>(c.structure);
        EXPECT_EQ(report.warning, c.warning) << static_cast<int>(c.structure);
    }
}

TEST(InstallOneFont, MissingSourceLeavesTheBarAtZero) {
    VLProgressFixture progress;
    progress.m_bar.m_position = 40;
    VLFakePlatform fake;
    fake.m_folders = {kOther};
    FakeCodec codec(fake);
    EXPECT_EQ(InstallOneFont(fake.Platform(), codec.Codec(), std::string(kOther) + "\\ABC.ttf", Font(),
                             kSource, "TTF"),
              4);
    EXPECT_EQ(progress.m_bar.m_positions, std::vector<int32_t>{0});
}

TEST(InstallOneFont, ProgressRunsTo100ThenBackToZero) {
    VLProgressFixture progress;
    VLFakePlatform fake;
    fake.m_folders = {kOther};
    fake.m_files[kSource] = SourceBytes(kGoodChecksum);
    FakeCodec codec(fake);
    ASSERT_EQ(InstallOneFont(fake.Platform(), codec.Codec(), std::string(kOther) + "\\ABC.ttf", Font(),
                             kSource, "TTF"),
              0);
    const std::vector<int32_t>& positions = progress.m_bar.m_positions;
    ASSERT_GE(positions.size(), 3u);
    EXPECT_EQ(positions.front(), 0);
    EXPECT_EQ(positions[positions.size() - 2], 100);
    EXPECT_EQ(positions.back(), 0);
    EXPECT_EQ(codec.m_number, 123);
}

TEST(InstallOneFont, OpenTypeValueNameFollowsTheVersion) {
    struct Case {
        uint32_t major;
        const char* valueName;
    } cases[] = {{5, "ABC (OpenType)"}, {6, "ABC (TrueType)"}};
    for (const Case& c : cases) {
        VLProgressFixture progress;
        VLFakePlatform fake;
        fake.m_version.majorVersion = c.major;
        fake.m_folders = {kFonts};
        fake.m_files[kSource] = SourceBytes(kGoodChecksum);
        FakeCodec codec(fake);
        ASSERT_EQ(InstallOneFont(fake.Platform(), codec.Codec(), std::string(kFonts) + "\\ABC.otf", Font(),
                                 kSource, "OTF"),
                  0);
        EXPECT_EQ(fake.m_values["SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS\\" +
                                std::string(c.valueName)],
                  "ABC.otf");
    }
}

// The buffers serve font after font: each font is written with exactly its
// own bytes, whether the font before it was larger or smaller, or failed.
TEST(FontInstaller, EachFontGetsExactlyItsOwnBytesFromTheKeptBuffers) {
    VLProgressFixture progress;
    VLFakePlatform fake;
    fake.m_folders = {kOther};
    const std::string fontData = "C:\\Setup\\FONTDATA\\";
    struct Step {
        const char* name;
        std::string source;
        bool installed;
    } steps[] = {
        {"mid", std::string(5000, 'm') + char(kGoodChecksum), true},
        {"large", std::string(9000, 'l') + char(kGoodChecksum), true},
        {"bad", std::string(7000, 'b') + '\0', false},
        {"small", "s" + std::string(1, char(kGoodChecksum)), true},
        {"large2", std::string(12000, 'L') + char(kGoodChecksum), true},
    };
    FakeCodec codec(fake);
    VLFontInstaller installer(fake.Platform(), codec.Codec());
    for (const Step& step : steps) {
        const std::string source = fontData + step.name + ".cmp";
        fake.m_files[source] = step.source;
        const std::string dest = std::string(kOther) + "\\" + step.name + ".ttf";
        EXPECT_EQ(installer.InstallOneFont(dest, Font(), source, "TTF") == VLFontOutcome::kInstalled,
                  step.installed)
            << step.name;
        if (step.installed) {
            EXPECT_EQ(fake.m_files[dest], step.source.substr(0, step.source.size() - 1)) << step.name;
        }
    }
    // Grown to the largest font, never shrunk.
    EXPECT_EQ(codec.m_buffers->font.Size(), 12001u);
}

TEST(FontInstaller, BroadcastsOnceAfterTheJobWhenAFontWasRegistered) {
    struct Case {
        const char* folder;
        int broadcasts;
    } cases[] = {{kFonts, 1}, {kOther, 0}};
    for (const Case& c : cases) {
        VLProgressFixture progress;
        VLFakePlatform fake;
        fake.m_folders = {kFonts, kOther};
        fake.m_files[kSource] = SourceBytes(kGoodChecksum);
        FakeCodec codec(fake);
        VLFontInstaller installer(fake.Platform(), codec.Codec());
        const std::string folder = c.folder;
        EXPECT_EQ(installer.InstallOneFont(folder + "\\A.ttf", Font(), kSource, "TTF"),
                  VLFontOutcome::kInstalled);
        VLFontInfo other = Font();
        other.m_familyName = "Other";
        EXPECT_EQ(installer.InstallOneFont(folder + "\\B.ttf", other, kSource, "TTF"),
                  VLFontOutcome::kInstalled);
        int broadcasts = 0;
        for (const std::string& call : fake.m_registryCalls) broadcasts += call == "broadcast";
        EXPECT_EQ(broadcasts, 0);
        installer.FinishJob();
        broadcasts = 0;
        for (const std::string& call : fake.m_registryCalls) broadcasts += call == "broadcast";
        EXPECT_EQ(broadcasts, c.broadcasts) << c.folder;
        if (c.broadcasts) {
            EXPECT_EQ(fake.m_registryCalls.back(), "broadcast");
        }
    }
}

}  // namespace

// A wizard host that checks every font and keeps, in order, the log lines
// and every bar position.
class VLSeenHost : public IVLInstallHost, public IVLProgressBar {
public:
    bool IsFontChecked(int32_t) override { return true; }
    void AppendLog(const std::string& text) override { seen.push_back(text); }
    void ShowMessage(const std::string& text) override { seen.push_back("message " + text); }
    void JobFinished() override {}
    std::string LoadText(VLJobText) override { return std::string(); }
    int32_t GetPos() override { return m_position; }
    void SetPos(int32_t position) override {
        m_position = std::max(0, std::min(100, position));
        seen.push_back("bar " + std::to_string(m_position));
    }

    std::vector<std::string> seen;

private:
    int32_t m_position = 0;
};

// With kept buffers the next font is decoded while a written file is flushed:
// the log, every bar position and the files are those of decoding each font
// in its turn, with a failing font, a font already present and an unsafe
// name among them; a font the job refuses by its name is never read.
TEST(InstallJob, DecodingTheNextFontAheadChangesNothingSeen) {
    const std::string fontData = "C:\\Setup\\FONTDATA";
    struct Entry {
        const char* baseName;
        std::string source;  // empty: no .cmp file
    } entries[] = {
        {"A", std::string(5000, 'a') + char(kGoodChecksum)},
        {"C", std::string(3000, 'c') + char(kGoodChecksum)},
        {"D", std::string(9000, 'd') + char(kGoodChecksum)},
        {"..\\X", std::string(10, 'x') + char(kGoodChecksum)},
        {"B", std::string(7000, 'b') + '\0'},
        {"E", std::string(4000, 'e') + char(kGoodChecksum)},
        {"F", std::string(6000, 'f') + char(kGoodChecksum)},
    };
    std::vector<std::string> seenInTurn;
    std::map<std::string, std::string> filesInTurn;
    for (const bool keptBuffers : {false, true}) {
        SCOPED_TRACE(keptBuffers ? "decoded ahead" : "decoded in turn");
        VLFakePlatform fake;
        fake.m_folders = {kOther, fontData};
        VLPackageInfo package;
        package.m_fontType = "TTF";
        for (const Entry& entry : entries) {
            VLFontInfo font = Font();
            font.m_baseName = entry.baseName;
            font.m_familyName = std::string("Fam ") + entry.baseName;
            package.AddFont(font);
            fake.m_files[fontData + "\\" + entry.baseName + ".cmp"] = entry.source;
        }
        // C is there already.
        fake.m_files[std::string(kOther) + "\\C.ttf"] = "present";

        FakeCodec fakeCodec(fake);
        if (!keptBuffers) fakeCodec.m_buffers = nullptr;
        VLFontCodec codec = fakeCodec.Codec();
        VLSeenHost host;
        std::vector<std::string> reads;
        const auto read = codec.readCmpFile;
        codec.readCmpFile = [&](const std::string& path, VLCmpFileBytes& bytes) {
            reads.push_back(path.substr(fontData.size() + 1));
            return read(path, bytes);
        };
        ResetProgressStateForTesting();
        SetProgressBarLookup([&host] { return &host; });
        VLFontInstaller installer(fake.Platform(), codec);
        const VLInstallSummary summary =
            RunInstallJob(host, installer, fake.Platform().files, package, fontData, kOther);
        ResetProgressStateForTesting();

        EXPECT_EQ(summary.failedCount, 3);
        // C is decoded during A's flush, then found present and skipped; F
        // is decoded during E's flush. X is never read, nor anything after
        // it ahead of its turn.
        const std::vector<std::string> aheadReads = {"A.cmp", "C.cmp", "D.cmp", "B.cmp", "E.cmp", "F.cmp"};
        const std::vector<std::string> inTurnReads = {"A.cmp", "D.cmp", "B.cmp", "E.cmp", "F.cmp"};
        EXPECT_EQ(reads, keptBuffers ? aheadReads : inTurnReads);
        std::map<std::string, std::string> files(fake.m_files.begin(), fake.m_files.end());
        if (keptBuffers) {
            EXPECT_EQ(host.seen, seenInTurn);
            EXPECT_EQ(files, filesInTurn);
        } else {
            seenInTurn = host.seen;
            filesInTurn = files;
        }
    }
}
