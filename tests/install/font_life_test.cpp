// Status, install and uninstall of one font on the fake platform, by the state
// the destination is in; and the version reader on hand-built and damaged fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "codec/font_version.h"
#include "install/font_life_job.h"
#include "install/font_replacement.h"
#include "install/progress.h"
#include "tests/install/fake_platform.h"

namespace {

constexpr char kFonts[] = "C:\\WINDOWS\\Fonts";
constexpr char kOther[] = "D:\\MyFonts";
constexpr char kFontData[] = "C:\\Setup\\FONTDATA";
constexpr char kSource[] = "C:\\Setup\\FONTDATA\\ABC.cmp";
constexpr char kValue[] = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS\\Fam Regular (TrueType)";
constexpr char kChecksumByte = 0x5A;

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value >> 8 & 0xFF);
    out += static_cast<char>(value & 0xFF);
}
void Put32(std::string& out, uint32_t value) {
    Put16(out, value >> 16);
    Put16(out, value & 0xFFFF);
}

// A name table with the family (name 1) and version string (name 5) as
// Windows English UTF-16BE records.
std::string NameTable(const std::string& family, const std::string& version) {
    std::string strings;
    std::string records;
    uint16_t count = 0;
    const auto add = [&](uint16_t id, const std::string& text) {
        if (text.empty()) return;
        std::string utf16;
        for (const char c : text) Put16(utf16, static_cast<uint8_t>(c));
        Put16(records, 3);
        Put16(records, 1);
        Put16(records, 0x409);
        Put16(records, id);
        Put16(records, static_cast<uint32_t>(utf16.size()));
        Put16(records, static_cast<uint32_t>(strings.size()));
        strings += utf16;
        ++count;
    };
    add(1, family);
    add(5, version);
    std::string table;
    Put16(table, 0);
    Put16(table, count);
    Put16(table, 6 + 12u * count);
    return table + records + strings;
}

// A font file of two tables (head, then name); revision is head.fontRevision
// in 16.16, none for a font without head. filler tells same versions apart.
std::string MakeFont(int64_t revision, const std::string& family, const std::string& version,
                     const std::string& filler = "x") {
    std::vector<std::pair<std::string, std::string>> tables;
    if (revision >= 0) {
        std::string head;
        Put32(head, 0x00010000);
        Put32(head, static_cast<uint32_t>(revision));
        head += std::string(46, '\0') + filler;
        tables.emplace_back("head", head);
    }
    tables.emplace_back("name", NameTable(family, version));
    std::string font;
    Put32(font, 0x00010000);
    Put16(font, static_cast<uint32_t>(tables.size()));
    Put16(font, 0);
    Put16(font, 0);
    Put16(font, 0);
    uint32_t offset = 12 + 16 * static_cast<uint32_t>(tables.size());
    std::string body;
    for (const auto& table : tables) {
        font += table.first;
        Put32(font, 0);
        Put32(font, offset + static_cast<uint32_t>(body.size()));
        Put32(font, static_cast<uint32_t>(table.second.size()));
        body += table.second;
    }
    return font + body;
}

constexpr int64_t kFixed1 = 0x10000;

// One font "ABC" of family "Fam" in a TTF package over the fake platform.
struct LifeFixture {
    LifeFixture() {
        fake.m_folders = {kFonts, kOther, kFontData};
        font.m_baseName = "ABC";
        font.m_familyName = "Fam";
        font.m_styleName = "Regular";
        font.m_fileNumber = 7;
        package.m_fontType = "TTF";
        package.AddFont(font);
        request.package = &package;
        request.chosen = {0};
        request.fontDataDir = kFontData;
        request.destination = {kFonts, VLFontRegistrationKind::kMachine};
        SetPackageFont(MakeFont(2 * kFixed1, "Fam", "Version 2.000"));
    }
    VLFontCodec Codec() {
        return VLFontCodec{
            [this](const std::string& path, VLCmpFileBytes& bytes) {
                auto found = fake.m_files.find(path);
                if (found == fake.m_files.end()) return false;
                VLReusableBuffer& file = bytes.UseBuffer();
                if (!file.Resize(static_cast<uint32_t>(found->second.size()))) return false;
                std::memcpy(file.Data(), found->second.data(), file.Size());
                return true;
            },
            [](const uint8_t* file, uint32_t size, VLReusableBuffer& font) {
                if (!font.Resize(size)) return false;
                std::memcpy(font.Data(), file, size);
                return true;
            },
            [](int32_t, uint8_t* buffer, uint32_t size) {
                return size > 0 && buffer[size - 1] == kChecksumByte;
            },
            nullptr,
            nullptr,
        };
    }
    void SetPackageFont(const std::string& bytes) { fake.m_files[kSource] = bytes + kChecksumByte; }
    std::string PackageFont() const {
        const std::string& cmp = fake.m_files.at(kSource);
        return cmp.substr(0, cmp.size() - 1);
    }
    std::string Dest() const { return request.destination.folder + "\\ABC.ttf"; }
    void Install(const std::string& bytes, bool registered) {
        fake.m_files[Dest()] = bytes;
        if (registered) fake.m_values[kValue] = "ABC.ttf";
    }
    VLLifeResult Status() { return CheckFontStates(fake.Platform(), Codec(), request, true); }
    VLLifeResult RunInstall() {
        VLLifeResult result = CheckFontStates(fake.Platform(), Codec(), request, false);
        InstallFonts(fake.Platform(), Codec(), request, result);
        return result;
    }
    VLLifeResult RunUninstall() {
        VLLifeResult result = CheckFontStates(fake.Platform(), Codec(), request, false);
        UninstallFonts(fake.Platform(), request, result);
        return result;
    }

    VLFakePlatform fake;
    VLFontInfo font;
    VLPackageInfo package;
    VLLifeRequest request;
};

enum class Setup {
    kInstalled,
    kUnregistered,
    kValueElsewhere,
    kMissing,
    kOlder,
    kNewer,
    kSameVersion,
    kForeign,
    kUndecodable
};

struct StateCase {
    const char* name;
    Setup setup;
    VLFontState state;
    VLLifeOutcome install;  // with --upgrade
    bool packageFontAfterInstall;
    VLLifeOutcome uninstall;
    VLLifeOutcome uninstallAnyVersion;
};

void Prepare(LifeFixture& f, Setup setup) {
    switch (setup) {
        case Setup::kInstalled:
            f.Install(f.PackageFont(), true);
            break;
        case Setup::kUnregistered:
            f.Install(f.PackageFont(), false);
            break;
        case Setup::kValueElsewhere:
            f.Install(f.PackageFont(), false);
            f.fake.m_values[kValue] = "OTHER.ttf";
            break;
        case Setup::kMissing:
            break;
        case Setup::kOlder:
            f.Install(MakeFont(kFixed1 + 0x8000, "Fam", "Version 1.500"), true);
            break;
        case Setup::kNewer:
            f.Install(MakeFont(3 * kFixed1, "Fam", "Version 3.000"), true);
            break;
        case Setup::kSameVersion:
            f.Install(MakeFont(2 * kFixed1, "Fam", "Version 2.000", "other glyphs"), true);
            break;
        case Setup::kForeign:
            f.Install(MakeFont(kFixed1, "Someone Else", "Version 1.000"), true);
            break;
        case Setup::kUndecodable:
            f.Install(f.PackageFont(), true);
            f.fake.m_files[kSource].back() = 0;  // the checksum no longer matches
            break;
    }
}

const StateCase kStateCases[] = {
    {"installed", Setup::kInstalled, VLFontState::kInstalled, VLLifeOutcome::kAlreadyInstalled, true,
     VLLifeOutcome::kRemoved, VLLifeOutcome::kRemoved},
    {"unregistered", Setup::kUnregistered, VLFontState::kUnregistered, VLLifeOutcome::kRegistered, true,
     VLLifeOutcome::kRemoved, VLLifeOutcome::kRemoved},
    // The font's name belongs to another file: never taken over.
    {"value names another file", Setup::kValueElsewhere, VLFontState::kUnregistered, VLLifeOutcome::kFailed,
     true, VLLifeOutcome::kRemoved, VLLifeOutcome::kRemoved},
    {"missing", Setup::kMissing, VLFontState::kMissing, VLLifeOutcome::kInstalled, true,
     VLLifeOutcome::kNothingToDo, VLLifeOutcome::kNothingToDo},
    {"older", Setup::kOlder, VLFontState::kOlder, VLLifeOutcome::kUpgraded, true, VLLifeOutcome::kLeftAlone,
     VLLifeOutcome::kRemoved},
    {"newer", Setup::kNewer, VLFontState::kNewer, VLLifeOutcome::kLeftAlone, false, VLLifeOutcome::kLeftAlone,
     VLLifeOutcome::kRemoved},
    {"same version, other bytes", Setup::kSameVersion, VLFontState::kDifferent, VLLifeOutcome::kLeftAlone,
     false, VLLifeOutcome::kLeftAlone, VLLifeOutcome::kRemoved},
    {"another family", Setup::kForeign, VLFontState::kOlder, VLLifeOutcome::kUpgraded, true,
     VLLifeOutcome::kLeftAlone, VLLifeOutcome::kLeftAlone},
    {"undecodable package font", Setup::kUndecodable, VLFontState::kUnavailable, VLLifeOutcome::kFailed,
     false, VLLifeOutcome::kFailed, VLLifeOutcome::kFailed},
};

TEST(FontLifeTest, EachStateAndWhatTheVerbsDoWithIt) {
    for (const StateCase& c : kStateCases) {
        SCOPED_TRACE(c.name);
        {
            LifeFixture f;
            Prepare(f, c.setup);
            const VLLifeResult status = f.Status();
            ASSERT_EQ(status.fonts.size(), 1u);
            EXPECT_EQ(status.fonts[0].state, c.state);
            EXPECT_EQ(StatusExitCode(status), c.state == VLFontState::kInstalled ? 0 : 1);
        }
        {
            LifeFixture f;
            Prepare(f, c.setup);
            const std::string before = f.fake.m_files.count(f.Dest()) ? f.fake.m_files[f.Dest()] : "";
            f.request.upgrade = true;
            const VLLifeResult result = f.RunInstall();
            EXPECT_EQ(result.fonts[0].outcome, c.install);
            if (c.packageFontAfterInstall) {
                EXPECT_EQ(f.fake.m_files[f.Dest()], f.PackageFont());
            } else {
                EXPECT_EQ(f.fake.m_files[f.Dest()], before);
            }
            if (c.install != VLLifeOutcome::kFailed && c.install != VLLifeOutcome::kLeftAlone) {
                EXPECT_EQ(f.fake.m_values[kValue], "ABC.ttf");
                EXPECT_EQ(LifeExitCode(result), 0);
            } else {
                EXPECT_EQ(LifeExitCode(result), 1);
            }
            EXPECT_TRUE(f.fake.TempFiles().empty());
            EXPECT_FALSE(result.restartNeeded);
        }
        for (const bool anyVersion : {false, true}) {
            LifeFixture f;
            Prepare(f, c.setup);
            const std::string valueBefore = f.fake.m_values.count(kValue) ? f.fake.m_values[kValue] : "";
            f.request.anyVersion = anyVersion;
            const VLLifeResult result = f.RunUninstall();
            const VLLifeOutcome expected = anyVersion ? c.uninstallAnyVersion : c.uninstall;
            EXPECT_EQ(result.fonts[0].outcome, expected) << "any version " << anyVersion;
            const bool removed = expected == VLLifeOutcome::kRemoved;
            EXPECT_EQ(f.fake.m_files.count(f.Dest()) == 0, removed || c.setup == Setup::kMissing);
            if (removed) {
                // Only a value naming this file goes.
                EXPECT_EQ(f.fake.m_values.count(kValue) > 0, valueBefore == "OTHER.ttf");
            } else {
                EXPECT_EQ(f.fake.m_values.count(kValue) ? f.fake.m_values[kValue] : "", valueBefore);
            }
        }
    }
}

// What an installation shows, in order: each font's start and result and
// every bar position between them; and, apart, when each .cmp was read.
class VLSeenLog : public IVLLifeObserver, public IVLProgressBar {
public:
    void FontStarting(const VLFontEntry& entry) override {
        seen.push_back("start " + entry.font->m_baseName);
    }
    void FontDone(const VLFontEntry& entry) override {
        seen.push_back("done " + entry.font->m_baseName + " " +
                       std::to_string(static_cast<int>(entry.outcome)));
        reads.push_back("done " + entry.font->m_baseName);
    }
    int32_t GetPos() override { return m_position; }
    void SetPos(int32_t position) override {
        m_position = std::max(0, std::min(100, position));
        seen.push_back("bar " + std::to_string(m_position));
    }

    std::vector<std::string> seen;
    std::vector<std::string> reads;

private:
    int32_t m_position = 0;
};

// With kept buffers, the next font is decoded while a written file is
// flushed; what the user sees (results, log order, every bar position) is
// that of decoding each font in its turn, a failing next font included.
TEST(FontLifeTest, DecodingTheNextFontAheadChangesNothingSeen) {
    std::vector<std::string> seenInTurn;
    for (const bool keptBuffers : {false, true}) {
        SCOPED_TRACE(keptBuffers ? "decoded ahead" : "decoded in turn");
        LifeFixture f;
        for (const char* name : {"DEF", "GHI"}) {
            VLFontInfo other = f.font;
            other.m_baseName = name;
            other.m_familyName = std::string("Fam ") + name;
            f.package.AddFont(other);
            f.fake.m_files[std::string(kFontData) + "\\" + name + ".cmp"] =
                MakeFont(2 * kFixed1, other.m_familyName, "Version 2.000", name) + kChecksumByte;
        }
        // DEF fails its checksum.
        f.fake.m_files[std::string(kFontData) + "\\DEF.cmp"].back() = 0;
        f.request.chosen = {0, 1, 2};

        VLSeenLog log;
        VLFontCodec codec = f.Codec();
        const auto read = codec.readCmpFile;
        codec.readCmpFile = [&](const std::string& path, VLCmpFileBytes& bytes) {
            log.reads.push_back("read " + path.substr(path.rfind('\\') + 1));
            // Read in seven chunks, as the real reader reports them.
            for (int chunk = 0; chunk < 7; ++chunk) AddProgress(kProgressReading / 7);
            return read(path, bytes);
        };
        if (keptBuffers) codec.buffers = std::make_shared<VLFontBuffers>();
        ResetProgressStateForTesting();
        SetProgressBarLookup([&log] { return &log; });
        VLLifeResult result = CheckFontStates(f.fake.Platform(), codec, f.request, false);
        InstallFonts(f.fake.Platform(), codec, f.request, result, &log);
        ResetProgressStateForTesting();

        ASSERT_EQ(result.fonts.size(), 3u);
        EXPECT_EQ(result.fonts[0].outcome, VLLifeOutcome::kInstalled);
        EXPECT_EQ(result.fonts[1].outcome, VLLifeOutcome::kFailed);
        EXPECT_EQ(result.fonts[2].outcome, VLLifeOutcome::kInstalled);
        EXPECT_EQ(f.fake.m_files[f.Dest()], f.PackageFont());
        EXPECT_EQ(f.fake.m_files.count(std::string(kFonts) + "\\DEF.ttf"), 0u);
        EXPECT_EQ(f.fake.m_files[std::string(kFonts) + "\\GHI.ttf"],
                  MakeFont(2 * kFixed1, "Fam GHI", "Version 2.000", "GHI"));
        EXPECT_TRUE(f.fake.TempFiles().empty());

        const std::vector<std::string> aheadOrder = {"read ABC.cmp", "read DEF.cmp", "done ABC",
                                                     "done DEF",     "read GHI.cmp", "done GHI"};
        const std::vector<std::string> inTurnOrder = {"read ABC.cmp", "done ABC",     "read DEF.cmp",
                                                      "done DEF",     "read GHI.cmp", "done GHI"};
        EXPECT_EQ(log.reads, keptBuffers ? aheadOrder : inTurnOrder);
        if (keptBuffers) {
            EXPECT_EQ(log.seen, seenInTurn);
        } else {
            seenInTurn = log.seen;
        }
    }
}

TEST(FontLifeTest, InstallWithoutUpgradeFindsTheOlderFontBeforeAnythingChanges) {
    LifeFixture f;
    Prepare(f, Setup::kOlder);
    const VLLifeResult result = CheckFontStates(f.fake.Platform(), f.Codec(), f.request, false);
    EXPECT_TRUE(HasOlderFont(result));
    // Only the font whose file exists was decoded to find out.
    LifeFixture g;
    EXPECT_FALSE(HasOlderFont(CheckFontStates(g.fake.Platform(), g.Codec(), g.request, false)));
}

TEST(FontLifeTest, AnUpgradeOfAHeldFileWaitsForTheRestartAndKeepsTheOldFontRegistered) {
    LifeFixture f;
    Prepare(f, Setup::kOlder);
    const std::string old = f.fake.m_files[f.Dest()];
    f.fake.m_sessionLoads["ABC.ttf"] = 2;
    f.fake.m_heldFiles.insert(f.Dest());
    f.request.upgrade = true;
    const VLLifeResult result = f.RunInstall();
    EXPECT_EQ(result.fonts[0].outcome, VLLifeOutcome::kUpgradeAtRestart);
    EXPECT_TRUE(result.restartNeeded);
    EXPECT_EQ(LifeExitCode(result), kLifeExitRestartNeeded);
    // The old file serves until the restart, loaded and registered.
    EXPECT_EQ(f.fake.m_files[f.Dest()], old);
    EXPECT_EQ(f.fake.m_values[kValue], "ABC.ttf");
    EXPECT_EQ(f.fake.m_sessionLoads["ABC.ttf"], 1);
    const std::string pending = PendingPathOf(f.request.destination, result.fonts[0]);
    ASSERT_EQ(f.fake.m_restartMoves.size(), 1u);
    EXPECT_EQ(f.fake.m_restartMoves[0], std::make_pair(pending, f.Dest()));
    EXPECT_EQ(f.fake.m_files[pending], f.PackageFont());
    EXPECT_TRUE(f.fake.TempFiles().empty());

    f.fake.Restart();
    EXPECT_EQ(f.fake.m_files[f.Dest()], f.PackageFont());
    EXPECT_EQ(f.fake.m_files.count(pending), 0u);
    EXPECT_EQ(f.Status().fonts[0].state, VLFontState::kInstalled);
}

TEST(FontLifeTest, AnUninstallBeforeTheRestartTakesTheWaitingVersionToo) {
    for (const bool stillHeld : {false, true}) {
        SCOPED_TRACE(stillHeld ? "still held" : "let go");
        LifeFixture f;
        Prepare(f, Setup::kOlder);
        f.fake.m_heldFiles.insert(f.Dest());
        f.request.upgrade = true;
        ASSERT_EQ(f.RunInstall().fonts[0].outcome, VLLifeOutcome::kUpgradeAtRestart);
        if (!stillHeld) f.fake.m_heldFiles.clear();
        f.request.anyVersion = true;
        const VLLifeResult result = f.RunUninstall();
        EXPECT_EQ(result.fonts[0].outcome,
                  stillHeld ? VLLifeOutcome::kRemoveAtRestart : VLLifeOutcome::kRemoved);
        f.fake.Restart();
        EXPECT_EQ(f.fake.m_files.count(f.Dest()), 0u);
        EXPECT_EQ(f.fake.m_files.size(), 1u);  // the package's .cmp alone
        EXPECT_EQ(f.fake.m_values.count(kValue), 0u);
    }
}

TEST(FontLifeTest, AHeldFileThatCannotBeScheduledStaysAsItWas) {
    LifeFixture f;
    Prepare(f, Setup::kOlder);
    const std::string old = f.fake.m_files[f.Dest()];
    f.fake.m_sessionLoads["ABC.ttf"] = 1;
    f.fake.m_heldFiles.insert(f.Dest());
    f.fake.m_bFailMoveAtRestart = true;
    f.request.upgrade = true;
    const VLLifeResult result = f.RunInstall();
    EXPECT_EQ(result.fonts[0].outcome, VLLifeOutcome::kFailed);
    EXPECT_EQ(LifeExitCode(result), 1);
    EXPECT_EQ(f.fake.m_files[f.Dest()], old);
    EXPECT_EQ(f.fake.m_sessionLoads["ABC.ttf"], 1);
    EXPECT_EQ(f.fake.m_files.size(), 2u);  // the package's .cmp and the old font: nothing left over
}

TEST(FontLifeTest, AFailedWriteNeverTouchesTheOldFile) {
    LifeFixture f;
    Prepare(f, Setup::kOlder);
    const std::string old = f.fake.m_files[f.Dest()];
    f.fake.m_sessionLoads["ABC.ttf"] = 1;
    f.fake.m_failWriteNumber = 1;
    f.request.upgrade = true;
    const VLLifeResult result = f.RunInstall();
    EXPECT_EQ(result.fonts[0].outcome, VLLifeOutcome::kFailed);
    EXPECT_EQ(f.fake.m_files[f.Dest()], old);
    EXPECT_EQ(f.fake.m_sessionLoads["ABC.ttf"], 1);
    EXPECT_TRUE(f.fake.TempFiles().empty());
}

TEST(FontLifeTest, UninstallOfAHeldFileDeletesItAtTheRestart) {
    LifeFixture f;
    Prepare(f, Setup::kInstalled);
    // A second value naming the same file goes too; one naming another file stays.
    f.fake.m_values["SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS\\Fam Old (TrueType)"] =
        "c:\\windows\\fonts\\abc.TTF";
    f.fake.m_values["SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS\\Other (TrueType)"] = "OTHER.ttf";
    f.fake.m_sessionLoads["ABC.ttf"] = 3;
    f.fake.m_heldFiles.insert(f.Dest());
    const VLLifeResult result = f.RunUninstall();
    EXPECT_EQ(result.fonts[0].outcome, VLLifeOutcome::kRemoveAtRestart);
    EXPECT_EQ(LifeExitCode(result), kLifeExitRestartNeeded);
    EXPECT_EQ(f.fake.m_values.size(), 1u);
    EXPECT_EQ(f.fake.m_sessionLoads["ABC.ttf"], 0);
    ASSERT_EQ(f.fake.m_restartMoves.size(), 1u);
    EXPECT_EQ(f.fake.m_restartMoves[0], std::make_pair(f.Dest(), std::string()));
    EXPECT_EQ(f.fake.m_registryCalls.back(), "broadcast");
    f.fake.Restart();
    EXPECT_EQ(f.fake.m_files.count(f.Dest()), 0u);
}

TEST(FontLifeTest, AFileThatCanNeitherGoNorBeScheduledKeepsItsValue) {
    LifeFixture f;
    Prepare(f, Setup::kInstalled);
    f.fake.m_heldFiles.insert(f.Dest());
    f.fake.m_bFailMoveAtRestart = true;
    const VLLifeResult result = f.RunUninstall();
    EXPECT_EQ(result.fonts[0].outcome, VLLifeOutcome::kFailed);
    EXPECT_EQ(f.fake.m_values[kValue], "ABC.ttf");
    EXPECT_EQ(f.fake.m_files.count(f.Dest()), 1u);
}

// A kill after any change an upgrade or an uninstall makes leaves the font
// old or new (or gone), never partial, and a second run finishes the job.
TEST(FontLifeTest, AKillAtAnyMomentLeavesTheOldOrTheNewFontAndARerunFinishes) {
    for (const bool upgrade : {true, false}) {
        for (const bool held : {false, true}) {
            SCOPED_TRACE(std::string(upgrade ? "upgrade" : "uninstall") + (held ? ", held" : ""));
            LifeFixture f;
            Prepare(f, upgrade ? Setup::kOlder : Setup::kInstalled);
            const std::string old = f.fake.m_files[f.Dest()];
            const std::string fresh = f.PackageFont();
            f.request.upgrade = true;
            const auto hold = [&](LifeFixture& x) {
                if (!held) return;
                x.fake.m_heldFiles.insert(x.Dest());
                x.fake.m_sessionLoads["ABC.ttf"] = 1;
            };
            hold(f);
            f.fake.m_bRecordStates = true;
            upgrade ? f.RunInstall() : f.RunUninstall();
            ASSERT_GE(f.fake.m_states.size(), 2u);
            for (size_t i = 0; i < f.fake.m_states.size(); ++i) {
                SCOPED_TRACE("killed after change " + std::to_string(i + 1));
                LifeFixture g;
                g.request.upgrade = true;
                g.fake.m_files = f.fake.m_states[i].files;
                g.fake.m_values = f.fake.m_states[i].values;
                g.fake.m_restartMoves = f.fake.m_states[i].restartMoves;
                hold(g);
                const auto dest = g.fake.m_files.find(g.Dest());
                if (upgrade) {
                    ASSERT_NE(dest, g.fake.m_files.end());
                    EXPECT_TRUE(dest->second == old || dest->second == fresh);
                } else {
                    EXPECT_TRUE(dest == g.fake.m_files.end() || dest->second == old);
                }
                // The killed run's temporary file is swept by the next one.
                for (const std::string& temp : g.fake.TempFiles()) g.fake.m_files.erase(temp);
                const VLLifeResult rerun = upgrade ? g.RunInstall() : g.RunUninstall();
                EXPECT_NE(LifeExitCode(rerun), 1) << LifeOutcomeName(rerun.fonts[0].outcome);
                g.fake.Restart();
                if (upgrade) {
                    EXPECT_EQ(g.fake.m_files[g.Dest()], fresh);
                    EXPECT_EQ(g.Status().fonts[0].state, VLFontState::kInstalled);
                } else {
                    EXPECT_EQ(g.fake.m_files.count(g.Dest()), 0u);
                    EXPECT_EQ(g.fake.m_values.count(kValue), 0u);
                }
                EXPECT_TRUE(g.fake.TempFiles().empty());
            }
        }
    }
}

TEST(FontLifeTest, AFolderOfItsOwnRegistersNothing) {
    LifeFixture f;
    f.request.destination = {kOther, VLFontRegistrationKind::kNone};
    VLLifeResult result = f.RunInstall();
    EXPECT_EQ(result.fonts[0].outcome, VLLifeOutcome::kInstalled);
    EXPECT_TRUE(f.fake.m_values.empty());
    EXPECT_EQ(f.Status().fonts[0].state, VLFontState::kInstalled);
    EXPECT_EQ(f.RunInstall().fonts[0].outcome, VLLifeOutcome::kAlreadyInstalled);

    // An upgrade in place: the new file simply replaces the old.
    f.SetPackageFont(MakeFont(5 * kFixed1, "Fam", "Version 5.000"));
    EXPECT_EQ(f.Status().fonts[0].state, VLFontState::kOlder);
    f.request.upgrade = true;
    EXPECT_EQ(f.RunInstall().fonts[0].outcome, VLLifeOutcome::kUpgraded);
    EXPECT_EQ(f.fake.m_files[f.Dest()], f.PackageFont());
    EXPECT_EQ(f.RunUninstall().fonts[0].outcome, VLLifeOutcome::kRemoved);
    EXPECT_EQ(f.fake.m_files.count(f.Dest()), 0u);
    EXPECT_TRUE(f.fake.m_registryCalls.empty());
}

TEST(FontLifeTest, AnUnsafeNameIsUnavailableAndNothingIsLookedUp) {
    LifeFixture f;
    f.package.m_fonts[0].m_baseName = "..\\ABC";
    const VLLifeResult result = f.Status();
    EXPECT_EQ(result.fonts[0].state, VLFontState::kUnavailable);
    EXPECT_EQ(result.fonts[0].unavailable, VLUnavailableReason::kUnsafeName);
}

struct VersionCase {
    const char* name;
    std::string font;
    bool hasRevision;
    int64_t thousandths;  // -1: no version at all
    const char* shown;
    const char* family;
};

// The user's font folder: the value under the user's key holds the full path
// (in the key itself), the session loads and unloads by that path, and the
// machine's key is never touched; the same life as in the system folder.
TEST(FontLifeTest, TheUsersFontFolderGoesByFullPath) {
    const std::string folder = "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Fonts";
    const std::string fullPath = folder + "\\ABC.ttf";
    const std::string value =
        "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\Fam Regular (TrueType)";
    LifeFixture f;
    f.fake.m_folders.insert(folder);
    f.request.destination = {folder, VLFontRegistrationKind::kUser};

    EXPECT_EQ(f.RunInstall().fonts[0].outcome, VLLifeOutcome::kInstalled);
    EXPECT_EQ(f.fake.m_values, (std::map<std::string, std::string>{{value, fullPath}}));
    EXPECT_EQ(f.fake.m_files[fullPath], f.PackageFont());
    EXPECT_EQ(f.fake.m_registryCalls.back(), "broadcast");
    EXPECT_NE(std::find(f.fake.m_registryCalls.begin(), f.fake.m_registryCalls.end(), "add:" + fullPath),
              f.fake.m_registryCalls.end());
    EXPECT_EQ(f.Status().fonts[0].state, VLFontState::kInstalled);

    // A bare name under the user's key would mean the system font folder.
    f.fake.m_values[value] = "ABC.ttf";
    EXPECT_EQ(f.Status().fonts[0].state, VLFontState::kUnregistered);
    f.fake.m_values.erase(value);
    EXPECT_EQ(f.RunInstall().fonts[0].outcome, VLLifeOutcome::kRegistered);
    EXPECT_EQ(f.fake.m_values[value], fullPath);

    // Every value naming the file goes, in whatever case it names it; a value
    // naming another file stays.
    const std::string twin = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\Twin";
    const std::string other = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\Other";
    f.fake.m_values[twin] = "c:\\users\\u\\appdata\\local\\microsoft\\windows\\fonts\\abc.TTF";
    f.fake.m_values[other] = folder + "\\OTHER.ttf";
    f.fake.m_registryCalls.clear();
    EXPECT_EQ(f.RunUninstall().fonts[0].outcome, VLLifeOutcome::kRemoved);
    EXPECT_EQ(f.fake.m_values, (std::map<std::string, std::string>{{other, folder + "\\OTHER.ttf"}}));
    EXPECT_EQ(f.fake.m_files.count(fullPath), 0u);
    EXPECT_NE(std::find(f.fake.m_registryCalls.begin(), f.fake.m_registryCalls.end(), "remove:" + fullPath),
              f.fake.m_registryCalls.end());
    EXPECT_EQ(std::find(f.fake.m_registryCalls.begin(), f.fake.m_registryCalls.end(), "open"),
              f.fake.m_registryCalls.end());
}

TEST(FontVersionTest, ReadsRevisionAndNamesFromUntrustedBytes) {
    std::string collection = "ttcf";
    Put32(collection, 0x00010000);
    Put32(collection, 1);
    Put32(collection, 16);
    collection += MakeFont(kFixed1, "Coll", "Version 1.000");
    // A collection's font keeps offsets from the start of the file.
    for (size_t entry = 16 + 12; entry < 16 + 12 + 32; entry += 16) {
        const uint32_t offset = static_cast<uint8_t>(collection[entry + 8]) << 24 |
                                static_cast<uint8_t>(collection[entry + 9]) << 16 |
                                static_cast<uint8_t>(collection[entry + 10]) << 8 |
                                static_cast<uint8_t>(collection[entry + 11]);
        std::string moved;
        Put32(moved, offset + 16);
        collection.replace(entry + 8, 4, moved);
    }
    std::string badName = MakeFont(kFixed1, "Fam", "Version 1.000");
    badName[badName.size() - 30] = '\x7F';  // a string offset far outside the table
    const VersionCase cases[] = {
        {"3.03 in 16.16", MakeFont(0x000307AE, "Fam", "Version 3.03"), true, 3030, "3.030", "Fam"},
        {"1.5", MakeFont(0x00018000, "Fam", ""), true, 1500, "1.500", "Fam"},
        {"no head: the version string", MakeFont(-1, "Fam", "Version 2.5; build 7"), false, 2500,
         "Version 2.5; build 7", "Fam"},
        {"no head, no version", MakeFont(-1, "Fam", ""), false, -1, "", "Fam"},
        {"a collection's first font", collection, true, 1000, "1.000", "Coll"},
        {"cut after the directory", MakeFont(kFixed1, "Fam", "V").substr(0, 40), false, -1, "", ""},
        {"empty", std::string(), false, -1, "", ""},
        {"not a font", std::string(64, '\xFF'), false, -1, "", ""},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const VLFontVersion version =
            ReadFontVersion(reinterpret_cast<const uint8_t*>(c.font.data()), c.font.size());
        EXPECT_EQ(version.hasRevision, c.hasRevision);
        int64_t thousandths = -1;
        if (!VersionThousandths(version, thousandths)) thousandths = -1;
        EXPECT_EQ(thousandths, c.thousandths);
        EXPECT_EQ(FormatFontVersion(version), c.shown);
        EXPECT_EQ(version.family, c.family);
    }
    // Every cut of a sound font reads without reaching past its end.
    const std::string whole = MakeFont(kFixed1, "Family", "Version 1.000");
    for (size_t size = 0; size <= whole.size(); ++size) {
        std::vector<uint8_t> copy(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        ReadFontVersion(copy.data(), copy.size());
    }
    const VLFontVersion damaged =
        ReadFontVersion(reinterpret_cast<const uint8_t*>(badName.data()), badName.size());
    EXPECT_TRUE(damaged.hasRevision);
}

TEST(FontVersionTest, ComparesToThreeDecimals) {
    VLFontVersion a;
    VLFontVersion b;
    a.hasRevision = b.hasRevision = true;
    a.revisionThousandths = 1000;
    b.revisionThousandths = 1001;
    EXPECT_EQ(CompareFontVersions(a, b), VLVersionOrder::kLower);
    EXPECT_EQ(CompareFontVersions(b, a), VLVersionOrder::kHigher);
    EXPECT_EQ(CompareFontVersions(a, a), VLVersionOrder::kSame);
    VLFontVersion none;
    EXPECT_EQ(CompareFontVersions(none, a), VLVersionOrder::kUnknown);
    // 1.0004 and 1.0 are the same to three decimals.
    const std::string x = MakeFont(kFixed1 + 26, "F", "");
    EXPECT_EQ(ReadFontVersion(reinterpret_cast<const uint8_t*>(x.data()), x.size()).revisionThousandths,
              1000);
}

}  // namespace
