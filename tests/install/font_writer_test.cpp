#include "install/font_writer.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/install/fake_platform.h"

namespace {

constexpr char kFonts[] = "C:\\WINDOWS\\Fonts";
constexpr char kOther[] = "D:\\MyFonts";

// A payload of size bytes: font bytes counting up, then the checksum byte.
std::string Payload(uint32_t size) {
    std::string bytes(size, '\0');
    for (uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
    return bytes;
}

struct WriterFixture : ::testing::Test {
    WriterFixture() { fake.m_folders = {kFonts, kOther}; }
    bool Write(const std::string& folder, const std::string& payload, VLFontReport* report = nullptr) {
        return WriteFontFile(fake.Platform(), folder + "\\ABC.ttf", "ABC.ttf", "ABC (TrueType)",
                             reinterpret_cast<const uint8_t*>(payload.data()),
                             static_cast<uint32_t>(payload.size()), report);
    }

    VLProgressFixture progress;
    VLFakePlatform fake;
};

// The bar moves by 30 / (m / 3000 + 1) per 3000 bytes, the empty last chunk
// of a whole number of chunks included, while the bytes go out in writes of
// up to kWriteBlockSize.
TEST_F(WriterFixture, FewLargeWritesWhileTheBarMovesPer3000Bytes) {
    constexpr uint32_t kBlock = kWriteBlockSize;
    struct Case {
        uint32_t size;
        std::vector<uint32_t> writes;
        std::vector<int32_t> positions;  // empty: not compared
    } cases[] = {
        {1, {}, {30}},
        {2, {1}, {30}},
        {3000, {2999}, {30}},
        {3001, {3000}, {15, 30}},
        {3002, {3001}, {15, 30}},
        {6001, {6000}, {10, 20, 30}},
        {kBlock + 1, {kBlock}, {}},
        {2 * kBlock + 3001, {kBlock, kBlock, 3000}, {}},
    };
    for (const Case& c : cases) {
        VLProgressFixture freshProgress;
        VLFakePlatform local;
        local.m_folders = {kOther};
        const std::string payload = Payload(c.size);
        ASSERT_TRUE(WriteFontFile(local.Platform(), std::string(kOther) + "\\ABC.ttf", "ABC.ttf",
                                  "ABC (TrueType)", reinterpret_cast<const uint8_t*>(payload.data()),
                                  c.size));
        EXPECT_EQ(local.m_writeSizes, c.writes) << c.size;
        if (!c.positions.empty()) {
            EXPECT_EQ(freshProgress.m_bar.m_positions, c.positions) << c.size;
        }
        // Every chunk's share arrives, and the bar moved before the last write.
        EXPECT_NEAR(freshProgress.m_bar.m_position + GetProgressFraction(), 30.0, 1e-9) << c.size;
        if (c.writes.size() > 1) {
            EXPECT_LT(freshProgress.m_bar.m_positions.front(), 20) << c.size;
        }
        EXPECT_EQ(local.m_files[std::string(kOther) + "\\ABC.ttf"], payload.substr(0, c.size - 1)) << c.size;
        EXPECT_TRUE(local.TempFiles().empty());
    }
}

TEST_F(WriterFixture, RegistersOnlyInsideTheSystemFontFolder) {
    VLFontReport report;
    ASSERT_TRUE(Write(kOther, Payload(10), &report));
    EXPECT_FALSE(report.registered);
    EXPECT_TRUE(fake.m_registryCalls.empty());

    ASSERT_TRUE(Write(kFonts, Payload(10), &report));
    EXPECT_TRUE(report.registered);
    EXPECT_EQ(fake.m_registryCalls,
              (std::vector<std::string>{"open", "query", "set", "close", "add:ABC.ttf"}));
}

// The destination chosen by the command decides, wherever the folder is: the
// machine's key by file name, the user's key by full path, or nothing.
TEST(FontWriter, RegistersAsTheDestinationSays) {
    const std::string userFolder = "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Fonts";
    const std::string nt = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS\\ABC (TrueType)";
    const std::string user = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\ABC (TrueType)";
    struct Case {
        const char* name;
        std::string folder;
        VLFontRegistrationKind kind;
        std::map<std::string, std::string> values;
        std::string added;
    } cases[] = {
        {"machine", kFonts, VLFontRegistrationKind::kMachine, {{nt, "ABC.ttf"}}, "add:ABC.ttf"},
        {"user",
         userFolder,
         VLFontRegistrationKind::kUser,
         {{user, userFolder + "\\ABC.ttf"}},
         "add:" + userFolder + "\\ABC.ttf"},
        {"plain folder, even the system's", kFonts, VLFontRegistrationKind::kNone, {}, ""},
    };
    for (const Case& c : cases) {
        VLProgressFixture progress;
        VLFakePlatform fake;
        fake.m_folders = {c.folder};
        const std::string payload = Payload(10);
        VLFontReport report;
        ASSERT_TRUE(WriteFontFile(fake.Platform(), c.folder + "\\ABC.ttf", "ABC.ttf", "ABC (TrueType)",
                                  c.kind, reinterpret_cast<const uint8_t*>(payload.data()), 10, &report))
            << c.name;
        EXPECT_EQ(fake.m_values, c.values) << c.name;
        EXPECT_EQ(report.registered, !c.added.empty()) << c.name;
        if (!c.added.empty()) {
            EXPECT_EQ(fake.m_registryCalls.back(), c.added) << c.name;
        }
        EXPECT_TRUE(fake.m_files.count(c.folder + "\\ABC.ttf")) << c.name;
    }
}

TEST(FontWriter, AUserRegistrationThatFailsRemovesTheFileAgain) {
    const std::string folder = "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Fonts";
    VLProgressFixture progress;
    VLFakePlatform fake;
    fake.m_folders = {folder};
    fake.m_values["HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\ABC (TrueType)"] =
        "D:\\old\\ABC.ttf";
    const std::string payload = Payload(10);
    VLFontReport report;
    EXPECT_FALSE(WriteFontFile(fake.Platform(), folder + "\\ABC.ttf", "ABC.ttf", "ABC (TrueType)",
                               VLFontRegistrationKind::kUser,
                               reinterpret_cast<const uint8_t*>(payload.data()), 10, &report));
    EXPECT_EQ(report.outcome, VLFontOutcome::kNameTaken);
    EXPECT_TRUE(fake.m_files.empty());
}

// A font in the system folder that the system does not list is half
// installed: every way the registration can fail takes the file away again,
// and a value that names another font keeps its data.
TEST_F(WriterFixture, FailedRegistrationRemovesTheFileAgain) {
    struct Case {
        const char* name;
        bool failOpen;
        bool failSet;
        bool refuse;
        const char* existing;  // data of a value already named so; null: none
        VLFontOutcome outcome;
    } cases[] = {
        {"key cannot be opened", true, false, false, nullptr, VLFontOutcome::kNotRegistered},
        {"value cannot be set", false, true, false, nullptr, VLFontOutcome::kNotRegistered},
        {"system refuses the font", false, false, true, nullptr, VLFontOutcome::kNotRegistered},
        {"name taken by another file", false, false, false, "arialbd.ttf", VLFontOutcome::kNameTaken},
    };
    for (const Case& c : cases) {
        VLFakePlatform local;
        local.m_folders = {kFonts};
        local.m_bFailOpenKey = c.failOpen;
        local.m_bFailSetValue = c.failSet;
        local.m_bRefuseSessionFont = c.refuse;
        const std::string value = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS\\ABC (TrueType)";
        if (c.existing) local.m_values[value] = c.existing;
        const std::string payload = Payload(10);
        VLFontReport report;
        EXPECT_FALSE(WriteFontFile(local.Platform(), std::string(kFonts) + "\\ABC.ttf", "ABC.ttf",
                                   "ABC (TrueType)", reinterpret_cast<const uint8_t*>(payload.data()), 10,
                                   &report))
            << c.name;
        EXPECT_EQ(report.outcome, c.outcome) << c.name;
        EXPECT_FALSE(report.registered) << c.name;
        EXPECT_TRUE(local.m_files.empty()) << c.name;
        EXPECT_EQ(local.m_values.count(value) ? local.m_values[value] : "", c.existing ? c.existing : "")
            << c.name;
    }
}

// A destination that fails at any point keeps no font and no temporary file.
TEST(FontWriter, WriteErrorsLeaveNothingBehind) {
    struct Case {
        const char* name;
        bool failCreate;
        int failWrite;
        bool failClose;
        bool failMove;
    } cases[] = {
        {"cannot create", true, 0, false, false},
        {"first write fails", false, 1, false, false},
        {"second write fails (disk full)", false, 2, false, false},
        {"last, short write fails", false, 3, false, false},
        {"flush or close fails", false, 0, true, false},
        {"final name cannot be taken", false, 0, false, true},
    };
    for (const Case& c : cases) {
        VLProgressFixture progress;
        VLFakePlatform fake;
        fake.m_folders = {kFonts};
        fake.m_bFailCreate = c.failCreate;
        fake.m_failWriteNumber = c.failWrite;
        fake.m_bFailClose = c.failClose;
        fake.m_bFailMove = c.failMove;
        // Three writes: two full blocks and a short one.
        const uint32_t size = 2 * kWriteBlockSize + 2;
        const std::string payload = Payload(size);
        EXPECT_FALSE(WriteFontFile(fake.Platform(), std::string(kFonts) + "\\ABC.ttf", "ABC.ttf",
                                   "ABC (TrueType)", reinterpret_cast<const uint8_t*>(payload.data()), size))
            << c.name;
        EXPECT_TRUE(fake.m_files.empty()) << c.name;
        EXPECT_TRUE(fake.m_registryCalls.empty()) << c.name;
    }
}

TEST_F(WriterFixture, NeverReplacesAnExistingFont) {
    const std::string dest = std::string(kFonts) + "\\ABC.ttf";
    fake.m_files[dest] = "original";
    EXPECT_FALSE(Write(kFonts, Payload(100)));
    EXPECT_EQ(fake.m_files[dest], "original");
    EXPECT_TRUE(fake.TempFiles().empty());
    EXPECT_TRUE(fake.m_registryCalls.empty());
}

TEST_F(WriterFixture, MissingFolderCreatesNothing) {
    EXPECT_FALSE(Write("E:\\Missing", Payload(100)));
    EXPECT_TRUE(fake.m_files.empty());
}

TEST_F(WriterFixture, PayloadWithoutChecksumByteIsRefused) {
    EXPECT_FALSE(Write(kOther, std::string()));
    EXPECT_TRUE(fake.m_files.empty());
}

}  // namespace
