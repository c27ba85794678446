// Reading a .cmp file as the installer does: the whole file in few large
// reads, 30 / C progress per 3000-byte chunk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "codec/cmp_file.h"
#include "install/font_codec.h"
#include "install/progress.h"
#include "tests/support/temp_dir.h"

namespace {

// Records every position it is set to, clamped to 0..100 like the control.
class VLRecordingBar : public IVLProgressBar {
public:
    int32_t GetPos() override { return m_nPos; }
    void SetPos(int32_t position) override {
        m_nPos = std::clamp(position, 0, 100);
        m_positions.push_back(m_nPos);
    }
    int32_t m_nPos = 0;
    std::vector<int32_t> m_positions;
};

class CmpReading : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgressStateForTesting();
        SetProgressBarLookup([this] { return &m_bar; });
    }
    void TearDown() override { ResetProgressStateForTesting(); }

    VLRecordingBar m_bar;
    TempDir m_dir;
};

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

}  // namespace

TEST_F(CmpReading, ChunksMoveTheBarByThirtyInAll) {
    struct Case {
        size_t size;
        std::vector<int32_t> positions;
    };
    const Case cases[] = {
        {1, {30}},
        {2999, {30}},
        {3000, {15, 30}},  // one full chunk and one empty chunk
        {3001, {15, 30}},  // one full chunk and one of 1 byte
        {6000, {10, 20, 30}},
        {20000, {4, 8, 12, 17, 21, 25, 29}},  // 7 chunks of 30 / 7: 4, 4, 4, 5, 4, 4, 4
        {(3u << 20) + 5, {}},                 // several reads; positions not compared
        {10, {30}},                           // into the room the larger file left
    };
    // One buffer for every file, as the installer keeps it from font to font.
    VLCmpFileBytes file;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        ResetProgressStateForTesting();
        SetProgressBarLookup([this] { return &m_bar; });
        m_bar = VLRecordingBar();
        const std::string path = m_dir.Child("font" + std::to_string(c.size) + ".cmp");
        const std::string bytes = Pattern(c.size);
        WriteBytes(path, bytes);

        ASSERT_TRUE(GetFontCodec().readCmpFile(path, file));
        ASSERT_EQ(file.Size(), c.size);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), reinterpret_cast<const char*>(file.Data())));
        if (!c.positions.empty()) {
            EXPECT_EQ(m_bar.m_positions, c.positions);
        }
        // Every chunk's share arrives, and a long read moves the bar on the way.
        EXPECT_NEAR(m_bar.m_nPos + GetProgressFraction(), 30.0, 1e-9);
        if (c.positions.empty()) {
            EXPECT_LT(m_bar.m_positions.front(), 15);
        }
    }
}

TEST_F(CmpReading, SevenChunksLeaveTheFractionForTheNextStep) {
    WriteBytes(m_dir.Child("seven.cmp"), Pattern(18000));
    VLCmpFileBytes file;
    ASSERT_TRUE(GetFontCodec().readCmpFile(m_dir.Child("seven.cmp"), file));
    EXPECT_EQ(m_bar.m_nPos, 29);
    EXPECT_DOUBLE_EQ(GetProgressFraction(), 0.9999999999999991);

    // The kept fraction and the next 20 units make exactly 21, also on the
    // 32-bit build, whose x87 arithmetic would otherwise carry extra precision.
    AddProgress(20.0);
    EXPECT_EQ(m_bar.m_nPos, 50);
    EXPECT_EQ(GetProgressFraction(), 0.0);
}

TEST_F(CmpReading, MissingOrEmptyFileGivesNoBufferAndNoProgress) {
    WriteBytes(m_dir.Child("empty.cmp"), "");
    for (const std::string& path : {m_dir.Child("missing.cmp"), m_dir.Child("empty.cmp"), m_dir.path()}) {
        SCOPED_TRACE(path);
        VLCmpFileBytes file;
        EXPECT_FALSE(GetFontCodec().readCmpFile(path, file));
        EXPECT_EQ(file.Size(), 0u);
        EXPECT_FALSE(ReadCmpFile(path));
    }
    EXPECT_TRUE(m_bar.m_positions.empty());
    EXPECT_EQ(GetProgressFraction(), 0.0);
}

// A large file is judged by its header before it is read: one that declares
// a decoded size it could not come from is refused without being loaded.
TEST_F(CmpReading, LargeFilesMustFitTheSizeTheyDeclare) {
    struct Case {
        uint32_t declared;
        uint64_t fileSize;
        bool read;
    } cases[] = {
        {10, 100u * 1024 * 1024, false},         // a sparse giant declaring a tiny font
        {0xFFFFFFFFu, 200u * 1024, false},       // more than any font
        {1u << 20, 2u * 1024 * 1024 + 4, true},  // two bytes per decoded byte
        {1u << 20, 3u * 1024 * 1024, false},
        {100, 60 * 1024, true},  // small files are read whatever they declare
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileSize);
        const std::string path = m_dir.Child("sized.cmp");
        std::filesystem::remove(path);
        std::string header(4, '\0');
        for (int i = 0; i < 4; ++i) header[static_cast<size_t>(i)] = static_cast<char>(c.declared >> (8 * i));
        WriteBytes(path, header);
        std::filesystem::resize_file(path, c.fileSize);
        EXPECT_EQ(static_cast<bool>(ReadCmpFile(path)), c.read);
    }
}

#ifndef _WIN32
// A FIFO in place of a .cmp file would block the reader forever.
TEST_F(CmpReading, OnlyRegularFilesAreOpened) {
    const std::string fifo = m_dir.Child("fifo.cmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(ReadCmpFile(fifo));
}
#endif
