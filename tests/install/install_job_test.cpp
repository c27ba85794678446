#include "install/install_job.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "install/install_texts.h"
#include "tests/install/fake_platform.h"

namespace {

// Records every host call, in order.
class VLFakeHost : public IVLInstallHost {
public:
    bool IsFontChecked(int32_t index) override { return m_checked.count(index) > 0; }
    void AppendLog(const std::string& text) override { m_log.push_back(text); }
    void ShowMessage(const std::string& text) override {
        m_messages.push_back(text);
        m_events.push_back("message");
    }
    void JobFinished() override { m_events.push_back("finished"); }
    std::string LoadText(VLJobText id) override {
        auto found = m_texts.find(id);
        return found == m_texts.end() ? std::string() : found->second;
    }

    std::set<int32_t> m_checked;
    std::map<VLJobText, std::string> m_texts;
    std::vector<std::string> m_log;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_events;
};

// Answers each install with the next scripted result and records the call.
class VLFakeInstaller : public IVLFontInstaller {
public:
    VLFontOutcome InstallOneFont(const std::string& destPath, const VLFontInfo& font,
                                 const std::string& sourcePath, const std::string& fontType) override {
        m_calls.push_back(destPath + "|" + font.m_baseName + "|" + sourcePath + "|" + fontType);
        const VLFontOutcome result = m_results.empty() ? VLFontOutcome::kInstalled : m_results.front();
        if (!m_results.empty()) m_results.erase(m_results.begin());
        return result;
    }
    void FinishJob() override { ++m_finished; }

    std::vector<VLFontOutcome> m_results;
    std::vector<std::string> m_calls;
    int m_finished = 0;
};

VLPackageInfo Package(const std::string& fontType, int count) {
    VLPackageInfo package;
    package.m_fontType = fontType;
    for (int i = 0; i < count; ++i) {
        VLFontInfo font;
        font.m_baseName = "F" + std::to_string(i);
        font.m_familyName = "Fam" + std::to_string(i);
        font.m_styleName = "W3";
        package.m_fonts.push_back(font);
    }
    return package;
}

std::string Announcement(const std::string& label) {
    return std::string("\x81\xA1") + label + (kTextInstallingFont + 4);
}

const std::vector<std::string> kEndEvents = {"finished"};

TEST(InstallJob, SucceededFailedAndPresentFonts) {
    VLProgressFixture progress;
    progress.m_bar.m_position = 55;
    VLFakePlatform fake;
    fake.m_files["D:\\Out\\F2.ttf"] = "old";
    VLFakeHost host;
    host.m_checked = {0, 1, 2};
    VLFakeInstaller installer;
    installer.m_results = {VLFontOutcome::kInstalled, VLFontOutcome::kFailed};

    const VLInstallSummary summary =
        RunInstallJob(host, installer, fake, Package("TTF", 3), "C:\\Setup\\FONTDATA\\", "D:\\Out");

    EXPECT_EQ(host.m_log, (std::vector<std::string>{Announcement("F0.ttf(Fam0 W3)"), kTextSucceeded,
                                                    Announcement("F1.ttf(Fam1 W3)"), kTextFailed,
                                                    Announcement("F2.ttf(Fam2 W3)"), kTextAlreadyPresent,
                                                    "\n", kTextAllInstalled}));
    EXPECT_EQ(host.m_messages, std::vector<std::string>{"2" + std::string(kTextFontsFailed + 2)});
    EXPECT_EQ(installer.m_calls,
              (std::vector<std::string>{"D:\\Out\\F0.ttf|F0|C:\\Setup\\FONTDATA\\F0.cmp|TTF",
                                        "D:\\Out\\F1.ttf|F1|C:\\Setup\\FONTDATA\\F1.cmp|TTF"}));
    EXPECT_EQ(fake.m_files["D:\\Out\\F2.ttf"], "old");
    EXPECT_EQ(summary.checkedCount, 3);
    EXPECT_EQ(summary.failedCount, 2);
    EXPECT_EQ(installer.m_finished, 1);
    EXPECT_EQ(progress.m_bar.m_position, 0);
    std::vector<std::string> expectedEvents = {"message"};
    expectedEvents.insert(expectedEvents.end(), kEndEvents.begin(), kEndEvents.end());
    EXPECT_EQ(host.m_events, expectedEvents);
}

// A failure with more to say gets a line of its own before "[失敗しました]";
// a name that is not a plain file name is refused before anything is looked
// up, read or written.
TEST(InstallJob, FailuresSayWhyAndUnsafeNamesAreNeverTouched) {
    VLProgressFixture progress;
    VLFakePlatform fake;
    VLFakeHost host;
    host.m_checked = {0, 1, 2, 3, 4};
    VLFakeInstaller installer;
    installer.m_results = {VLFontOutcome::kUnknownFontType, VLFontOutcome::kNameTaken,
                           VLFontOutcome::kNotRegistered};
    VLPackageInfo package = Package("TTF", 5);
    package.m_fonts[3].m_baseName = "..\\..\\esc";
    package.m_fonts[4].m_baseName = std::string(200, 'x');  // with the folders, past 260 bytes
    fake.m_files["D:\\Out\\..\\..\\esc.ttf"] = "would count as present";

    const std::string longFolder = "D:\\Out";
    const VLInstallSummary summary =
        RunInstallJob(host, installer, fake, package, "C:\\" + std::string(60, 's'), longFolder);

    EXPECT_EQ(host.m_log,
              (std::vector<std::string>{Announcement("F0.ttf(Fam0 W3)"), kTextUnknownFontType, kTextFailed,
                                        Announcement("F1.ttf(Fam1 W3)"), kTextNameTaken, kTextFailed,
                                        Announcement("F2.ttf(Fam2 W3)"), kTextNotRegistered, kTextFailed,
                                        Announcement("..\\..\\esc.ttf(Fam3 W3)"), kTextUnsafeFileName,
                                        kTextFailed, Announcement(std::string(200, 'x') + ".ttf(Fam4 W3)"),
                                        kTextUnsafeFileName, kTextFailed, "\n", kTextAllInstalled}));
    EXPECT_EQ(installer.m_calls.size(), 3u);
    EXPECT_EQ(summary.failedCount, 5);
}

TEST(InstallJob, AllSucceededAndUncheckedEntriesAreSilent) {
    VLProgressFixture progress;
    VLFakePlatform fake;
    VLFakeHost host;
    host.m_checked = {1, 3, 7};  // 7 has no font
    VLFakeInstaller installer;
    VLPackageInfo package = Package("OTF", 4);
    package.m_fonts[3].m_familyName.clear();
    package.m_fonts[3].m_styleName.clear();

    const VLInstallSummary summary = RunInstallJob(host, installer, fake, package, "C:\\FONTDATA", "D:\\Out");

    EXPECT_EQ(host.m_log,
              (std::vector<std::string>{Announcement("F1.otf(Fam1 W3)"), kTextSucceeded,
                                        Announcement("F3.otf"), kTextSucceeded, "\n", kTextAllInstalled}));
    EXPECT_EQ(host.m_messages, std::vector<std::string>{kTextAllInstalled});
    EXPECT_EQ(installer.m_calls, (std::vector<std::string>{"D:\\Out\\F1.otf|F1|C:\\FONTDATA\\F1.cmp|OTF",
                                                           "D:\\Out\\F3.otf|F3|C:\\FONTDATA\\F3.cmp|OTF"}));
    EXPECT_EQ(summary.checkedCount, 2);
    EXPECT_EQ(summary.failedCount, 0);
}

TEST(InstallJob, HostTextsAreUsedAndLabelsAreNotFormats) {
    VLProgressFixture progress;
    VLFakePlatform fake;
    VLFakeHost host;
    host.m_checked = {0};
    host.m_texts[VLJobText::kAllInstalled] = "done";
    host.m_texts[VLJobText::kFontsFailed] = "%d failed (%s stays)";
    VLFakeInstaller installer;
    installer.m_results = {VLFontOutcome::kFailed};
    VLPackageInfo package = Package("TTF", 1);
    package.m_fonts[0].m_familyName = "%s%n%d";

    RunInstallJob(host, installer, fake, package, "C:\\FONTDATA\\", "D:\\Out");

    EXPECT_EQ(host.m_log,
              (std::vector<std::string>{Announcement("F0.ttf(%s%n%d W3)"), kTextFailed, "\n", "done"}));
    EXPECT_EQ(host.m_messages, std::vector<std::string>{"1 failed (%s stays)"});
}

TEST(InstallJob, NothingCheckedStillEndsTheWizardStep) {
    VLProgressFixture progress;
    VLFakePlatform fake;
    VLFakeHost host;
    VLFakeInstaller installer;
    RunInstallJob(host, installer, fake, Package("TTF", 2), "C:\\FONTDATA\\", "D:\\Out");
    EXPECT_EQ(host.m_log, (std::vector<std::string>{"\n", kTextAllInstalled}));
    EXPECT_TRUE(installer.m_calls.empty());
    EXPECT_EQ(std::vector<std::string>(host.m_events.begin() + 1, host.m_events.end()), kEndEvents);
}

}  // namespace
