// The real Win32 layer under Wine, in a prefix of its own: a packed font is
// installed into C:\windows\Fonts (written, registered, usable at once) and
// into another folder (written only).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "codec/cmp_encoder.h"
#include "install/font_codec.h"
#include "install/font_registration.h"
#include "install/install_job.h"
#include "install/install_one_font.h"
#include "install/install_texts.h"
#include "platform/install_platform.h"
#include "tests/install/fake_platform.h"
#include "tests/install/recording_host.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr char kSourceFont[] = "Z:\\usr\\share\\fonts\\opentype\\ipafont-gothic\\ipag.ttf";
constexpr char kNtFontsKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS";
// "ゴシック" in Shift-JIS.
constexpr char kGothic[] =
    "\x83S\x83V\x83"
    "b\x83N";

uint32_t ReadBigEndian(const std::string& bytes, size_t at, int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

// Renames the font's family by replacing "IPA" in its name table (in one-byte
// and UTF-16BE strings) with tag, so that the system knows it by no other file.
bool RenameFamily(std::string& font, const std::string& tag) {
    const uint32_t tables = ReadBigEndian(font, 4, 2);
    for (uint32_t i = 0; i < tables; ++i) {
        const size_t entry = 12 + 16 * i;
        if (font.compare(entry, 4, "name") != 0) continue;
        const size_t offset = ReadBigEndian(font, entry + 8, 4);
        const size_t length = ReadBigEndian(font, entry + 12, 4);
        bool renamed = false;
        for (size_t at = offset; at + 6 <= offset + length; ++at) {
            if (font.compare(at, 3, "IPA") == 0) {
                font.replace(at, 3, tag);
                renamed = true;
            } else if (font.compare(at, 6, std::string("\0I\0P\0A", 6)) == 0) {
                for (int c = 0; c < 3; ++c)
                    font[at + 1 + 2 * static_cast<size_t>(c)] = tag[static_cast<size_t>(c)];
                renamed = true;
            }
        }
        return renamed;
    }
    return false;
}

int CALLBACK CollectFamily(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM found) {
    reinterpret_cast<std::vector<std::string>*>(found)->push_back(logFont->lfFaceName);
    return 1;
}

bool FamilyExists(const std::string& tag) {
    std::vector<std::string> families;
    HDC dc = GetDC(nullptr);
    LOGFONTA query;
    std::memset(&query, 0, sizeof(query));
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &query, CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, dc);
    for (const std::string& family : families) {
        if (family == tag + "Gothic" || family == tag + kGothic) return true;
    }
    return false;
}

bool ReadFontsValue(const std::string& name, std::string& data) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtFontsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[MAX_PATH] = {};
    DWORD size = sizeof(buffer);
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return false;
    EXPECT_EQ(size, std::strlen(buffer) + 1);  // stored with its terminating zero
    data = buffer;
    return true;
}

void DeleteFontsValue(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtFontsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

// Three capital letters that differ from run to run.
std::string RunTag() {
    uint32_t seed = GetTickCount() ^ (GetCurrentProcessId() << 8);
    std::string tag;
    for (int i = 0; i < 3; ++i) {
        tag.push_back(static_cast<char>('K' + seed % 16));
        seed /= 16;
    }
    return tag;
}

TEST(Win32FontInstall, IntoTheSystemFontFolderAndElsewhere) {
    std::ifstream source(kSourceFont, std::ios::binary);
    if (!source) GTEST_SKIP() << "no " << kSourceFont;
    std::string font((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    const std::string tag = RunTag();
    ASSERT_TRUE(RenameFamily(font, tag));
    ASSERT_FALSE(FamilyExists(tag)) << "the renamed family must be new to the system";

    TempDir fontData;
    const auto packed = PackFont(321, reinterpret_cast<const uint8_t*>(font.data()), font.size());
    ASSERT_TRUE(packed.has_value());
    WriteBytes(fontData.Child("vlfont.cmp"), std::string(packed->begin(), packed->end()));

    VLProgressFixture progress;
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    VLFontInfo entry;
    entry.m_baseName = "vl" + tag;
    entry.m_fileNumber = 321;
    entry.m_familyName = tag + kGothic;
    entry.m_styleName = "Regular";
    const std::string fileName = entry.m_baseName + ".ttf";
    const std::string valueName = tag + kGothic + " Regular (TrueType)";
    const std::string fontsFolder = GetWindowsFolder(platform.system) + "\\Fonts";
    ASSERT_EQ(fontsFolder, "C:\\windows\\Fonts");
    const std::string systemPath = fontsFolder + "\\" + fileName;

    VLFontInstaller installer(platform, GetFontCodec());
    ASSERT_EQ(installer.InstallOneFont(systemPath, entry, fontData.Child("vlfont.cmp"), "TTF"),
              VLFontOutcome::kInstalled);
    installer.FinishJob();  // the notice must not block

    EXPECT_EQ(ReadBytes(systemPath), font);
    std::string data;
    EXPECT_TRUE(ReadFontsValue(valueName, data));
    EXPECT_EQ(data, fileName);
    EXPECT_TRUE(FamilyExists(tag));
    EXPECT_EQ(progress.m_bar.m_position, 0);

    // Another folder: the same font written, nothing registered.
    TempDir other;
    DeleteFontsValue(valueName);
    ASSERT_EQ(installer.InstallOneFont(other.Child(fileName), entry, fontData.Child("vlfont.cmp"), "TTF"),
              VLFontOutcome::kInstalled);
    EXPECT_EQ(ReadBytes(other.Child(fileName)), font);
    EXPECT_FALSE(ReadFontsValue(valueName, data));

    RemoveFontResourceA(fileName.c_str());
    DeleteFileA(systemPath.c_str());
}

// The files of a folder (and of its subfolders when recursive) with their sizes.
void ListFiles(const std::string& folder, std::map<std::string, uint64_t>& files, bool recursive) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (recursive) ListFiles(path, files, true);
        } else {
            files[path] = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// A hostile package installed into C:\windows\Fonts by the install job:
// names that climb out of the folder are refused before anything is read or
// written, a registry value that names another font keeps its data, and the
// package's sound font is installed all the same.
TEST(Win32FontInstall, HostilePackageWritesAndRegistersNothingOutsideItsFonts) {
    std::ifstream source(kSourceFont, std::ios::binary);
    if (!source) GTEST_SKIP() << "no " << kSourceFont;
    std::string font((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    const std::string tag = RunTag();
    ASSERT_TRUE(RenameFamily(font, tag));
    const auto packed = PackFont(55, reinterpret_cast<const uint8_t*>(font.data()), font.size());
    ASSERT_TRUE(packed.has_value());
    const std::string cmp(packed->begin(), packed->end());

    // A folder two levels below C:\ so that "..\..\" reaches the drive's root.
    CreateDirectoryA("C:\\vlhostile", nullptr);
    const std::string fontData = "C:\\vlhostile\\FONTDATA";
    CreateDirectoryA(fontData.c_str(), nullptr);
    const char* const hostile[] = {
        "..\\..\\users\\Public\\evil",
        "../../vlevil",
        "..\\../vlevil2",
        "\x83\x5C\\..\\..\\vlevil3",
        "C:\\vlevil4",
        "NUL",
        "vlevil5.",
    };
    VLPackageInfo package;
    package.m_fontType = "TTF";
    for (const char* name : hostile) {
        VLFontInfo entry;
        entry.m_baseName = name;
        entry.m_fileNumber = 55;
        entry.m_familyName = tag + "Evil" + std::to_string(package.m_fonts.size());
        package.m_fonts.push_back(entry);
    }
    // The same font, under a registry name another font file already has.
    VLFontInfo taken;
    taken.m_baseName = "vltaken" + tag;
    taken.m_fileNumber = 55;
    taken.m_familyName = tag + "Taken";
    taken.m_styleName = "Bold";
    package.m_fonts.push_back(taken);
    VLFontInfo good = taken;
    good.m_baseName = "vlgood" + tag;
    good.m_familyName = tag + kGothic;
    good.m_styleName = "Regular";
    package.m_fonts.push_back(good);
    for (const VLFontInfo& entry : package.m_fonts) {
        // Where each name would lead from the FONTDATA folder, the font waits
        // (where the system lets a file be).
        std::ofstream planted(fontData + "\\" + entry.m_baseName + ".cmp", std::ios::binary);
        planted << cmp;
    }
    const std::string takenValue = tag + "Taken Bold (TrueType)";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtFontsKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(key, takenValue.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("arialbd.ttf"), 12),
        ERROR_SUCCESS);
    RegCloseKey(key);

    // Every folder the names above lead to (a whole-drive listing is slow under Wine).
    const auto listReachable = [](std::map<std::string, uint64_t>& files) {
        for (const char* folder : {"C:", "C:\\windows", "C:\\windows\\Fonts", "C:\\users\\Public"})
            ListFiles(folder, files, false);
        ListFiles("C:\\vlhostile", files, true);
    };
    std::map<std::string, uint64_t> before;
    listReachable(before);

    VLProgressFixture progress;
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    VLFontInstaller installer(platform, GetFontCodec());
    VLRecordingHost host;
    const VLInstallSummary summary =
        RunInstallJob(host, installer, platform.files, package, fontData, "C:\\windows\\Fonts");

    EXPECT_EQ(summary.failedCount, static_cast<int32_t>(std::size(hostile)) + 1);
    std::map<std::string, uint64_t> after;
    listReachable(after);
    std::vector<std::string> added;
    for (const auto& file : after) {
        if (!before.count(file.first)) added.push_back(file.first);
    }
    const std::string goodPath = "C:\\windows\\Fonts\\" + good.m_baseName + ".ttf";
    EXPECT_EQ(added, std::vector<std::string>{goodPath});
    for (size_t i = 0; i < std::size(hostile); ++i) {
        EXPECT_EQ(host.m_log[3 * i + 1], kTextUnsafeFileName) << hostile[i];
        EXPECT_EQ(host.m_log[3 * i + 2], kTextFailed) << hostile[i];
    }
    const size_t takenLine = 3 * std::size(hostile) + 1;
    EXPECT_EQ(host.m_log[takenLine], kTextNameTaken);
    EXPECT_EQ(host.m_log[takenLine + 1], kTextFailed);
    EXPECT_EQ(host.m_log[takenLine + 3], kTextSucceeded);
    std::string data;
    EXPECT_TRUE(ReadFontsValue(takenValue, data));
    EXPECT_EQ(data, "arialbd.ttf");
    EXPECT_TRUE(ReadFontsValue(tag + kGothic + " Regular (TrueType)", data));
    EXPECT_EQ(data, good.m_baseName + ".ttf");
    for (size_t i = 0; i < std::size(hostile); ++i) {
        EXPECT_FALSE(ReadFontsValue(tag + "Evil" + std::to_string(i) + "  (TrueType)", data)) << hostile[i];
    }

    RemoveFontResourceA((good.m_baseName + ".ttf").c_str());
    DeleteFileA(goodPath.c_str());
    DeleteFontsValue(takenValue);
    DeleteFontsValue(tag + kGothic + " Regular (TrueType)");
}

// A font type the installer does not know writes nothing, and says so.
TEST(Win32FontInstall, UnknownFontTypeIsNoSuccess) {
    TempDir fontData;
    WriteBytes(fontData.Child("vlttf.cmp"), "unused");
    VLPackageInfo package;
    package.m_fontType = "ttf";
    VLFontInfo entry;
    entry.m_baseName = "vlttf";
    package.m_fonts.push_back(entry);
    VLProgressFixture progress;
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    VLFontInstaller installer(platform, GetFontCodec());
    VLRecordingHost host;
    const VLInstallSummary summary =
        RunInstallJob(host, installer, platform.files, package, fontData.path(), "C:\\windows\\Fonts");
    EXPECT_EQ(summary.failedCount, 1);
    ASSERT_GE(host.m_log.size(), 3u);
    EXPECT_EQ(host.m_log[1], kTextUnknownFontType);
    EXPECT_EQ(host.m_log[2], kTextFailed);
    EXPECT_EQ(GetFileAttributesA("C:\\windows\\Fonts\\vlttf.otf"), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32FontInstall, SystemFacts) {
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    std::string key;
    EXPECT_TRUE(GetFontsRegistryKey(platform.system, key));
    EXPECT_EQ(key, kNtFontsKey);
    EXPECT_EQ(GetPlatformId(platform.system), 2);
    EXPECT_TRUE(IsVersion6OrLater(platform.system));
    EXPECT_TRUE(IsInSystemFontsFolder(platform.system, "C:\\windows\\Fonts\\a.ttf"));
    EXPECT_FALSE(IsInSystemFontsFolder(platform.system, "C:\\WINDOWS\\Fonts\\a.ttf"));
    EXPECT_TRUE(platform.system.IsAdministrator());
}

}  // namespace
