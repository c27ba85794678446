// The install job end to end on the running system's platform layer and the
// real codec: packed fonts in a FONTDATA folder, installed into a plain folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "codec/cmp_encoder.h"
#include "install/font_codec.h"
#include "install/install_job.h"
#include "install/install_one_font.h"
#include "install/install_texts.h"
#include "platform/install_platform.h"
#include "tests/install/fake_platform.h"
#include "tests/install/recording_host.h"
#include "tests/support/temp_dir.h"

namespace {

std::string FontBytes(uint32_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    uint32_t state = seed;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>((state >> 16) % 40);  // few symbols: real compression
    }
    return bytes;
}

std::string Packed(int32_t number, const std::string& font) {
    const auto packed = PackFont(number, reinterpret_cast<const uint8_t*>(font.data()), font.size());
    EXPECT_TRUE(packed.has_value());
    return std::string(packed->begin(), packed->end());
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(InstallPackage, InstallsDecodedFontsSkipsCorruptOnesAndNeverOverwrites) {
    VLProgressFixture progress;
    TempDir fontData;
    TempDir dest;
    VLPackageInfo package;
    package.m_fontType = "TTF";
    const std::string fonts[] = {FontBytes(7001, 1), FontBytes(9000, 2), FontBytes(1, 3)};
    const char* names[] = {"Alpha", "Beta", "Gamma"};
    for (int i = 0; i < 3; ++i) {
        VLFontInfo font;
        font.m_baseName = names[i];
        font.m_fileNumber = 100 + i;
        package.m_fonts.push_back(font);
        std::string cmp = Packed(font.m_fileNumber, fonts[i]);
        if (i == 1) cmp.resize(cmp.size() / 2);  // corrupt: the stream ends early
        WriteBytes(fontData.Child(std::string(names[i]) + ".cmp"), cmp);
    }

    VLInstallPlatform& platform = GetSystemInstallPlatform();
    VLFontInstaller installer(platform, GetFontCodec());
    VLRecordingHost host;
    const VLInstallSummary summary =
        RunInstallJob(host, installer, platform.files, package, fontData.path(), dest.path());

    EXPECT_EQ(summary.failedCount, 1);
    ASSERT_EQ(host.m_log.size(), 8u);
    EXPECT_EQ(host.m_log[1], kTextSucceeded);
    EXPECT_EQ(host.m_log[3], kTextFailed);
    EXPECT_EQ(host.m_log[5], kTextSucceeded);
    EXPECT_EQ(ReadBytes(dest.Child("Alpha.ttf")), fonts[0]);
    EXPECT_EQ(ReadBytes(dest.Child("Gamma.ttf")), fonts[2]);
    EXPECT_EQ(Names(dest.path()), (std::vector<std::string>{"Alpha.ttf", "Gamma.ttf"}));
    EXPECT_EQ(progress.m_bar.m_position, 0);

    // A second run finds both fonts in place and leaves them as they are.
    WriteBytes(dest.Child("Alpha.ttf"), "kept");
    VLRecordingHost again;
    const VLInstallSummary second =
        RunInstallJob(again, installer, platform.files, package, fontData.path(), dest.path());
    EXPECT_EQ(second.failedCount, 3);
    EXPECT_EQ(again.m_log[1], kTextAlreadyPresent);
    EXPECT_EQ(again.m_log[5], kTextAlreadyPresent);
    EXPECT_EQ(ReadBytes(dest.Child("Alpha.ttf")), "kept");
    EXPECT_EQ(Names(dest.path()), (std::vector<std::string>{"Alpha.ttf", "Gamma.ttf"}));
}

TEST(InstallPackage, FileLayerMovesWithoutReplacingAndCleansUp) {
    TempDir dir;
    IVLFileSystem& files = GetSystemInstallPlatform().files;
    std::string tempPath;
    std::unique_ptr<IVLWritableFile> file = files.CreateTempFile(dir.path(), tempPath);
    ASSERT_TRUE(file);
    const uint8_t bytes[] = {1, 2, 3};
    EXPECT_TRUE(file->Write(bytes, 3));
    EXPECT_TRUE(file->Write(bytes, 0));
    EXPECT_TRUE(file->Close());
    WriteBytes(dir.Child("taken.ttf"), "old");
    EXPECT_FALSE(files.MoveNoReplace(tempPath, dir.path() + "\\taken.ttf"));
    EXPECT_EQ(ReadBytes(dir.Child("taken.ttf")), "old");
    EXPECT_TRUE(files.MoveNoReplace(tempPath, dir.path() + "\\new.ttf"));
    EXPECT_EQ(ReadBytes(dir.Child("new.ttf")), std::string("\x01\x02\x03"));
    EXPECT_FALSE(files.Exists(tempPath));
    EXPECT_TRUE(files.Exists(dir.path()));
    EXPECT_TRUE(files.RemoveFile(dir.path() + "\\new.ttf"));
    EXPECT_FALSE(files.Exists(dir.path() + "\\new.ttf"));
    EXPECT_FALSE(files.CreateTempFile(dir.path() + "\\missing", tempPath));
}

#ifndef _WIN32
TEST(InstallPackage, PosixPathsKeepDoubleByteCharacters) {
    IVLFileSystem& files = GetSystemInstallPlatform().files;
    // "ソ" is 0x83 0x5C in Shift-JIS: its second byte is no separator.
    EXPECT_EQ(files.ToNativePath("/tmp\\\x83\x5C\\a.ttf"), "/tmp/ソ/a.ttf");
    EXPECT_EQ(files.ToNativePath("C:\\x"), "C:/x");
}
#endif

}  // namespace

namespace {

// A killed installation leaves its temporary file behind; the next one removes
// it before it starts, but never a file another running installation writes.
TEST(InstallPackage, StaleTemporaryFilesGoButLiveOnesStay) {
    VLProgressFixture progress;
    TempDir fontData;
    TempDir dest;
    // A process number no process has.
    const std::string stale = dest.Child("~vl7ffffffe-0123456789abcdef.tmp");
    WriteBytes(stale, "half a font");
    std::string livePath;
    std::unique_ptr<IVLWritableFile> live =
        GetSystemInstallPlatform().files.CreateTempFile(dest.path(), livePath);
    ASSERT_TRUE(live);
    WriteBytes(dest.Child("~vlnotes.txt"), "not ours");

    VLPackageInfo package;
    package.m_fontType = "TTF";
    VLFontInstaller installer(GetSystemInstallPlatform(), GetFontCodec());
    VLRecordingHost host;
    RunInstallJob(host, installer, GetSystemInstallPlatform().files, package, fontData.path(), dest.path());

    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(GetSystemInstallPlatform().files.Exists(livePath));
    EXPECT_TRUE(std::filesystem::exists(dest.Child("~vlnotes.txt")));
    live->Close();
}

}  // namespace
