#include "catalogue/inf_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "catalogue/inf_scrambling.h"
#include "tests/support/temp_dir.h"

namespace {

std::unique_ptr<VLInfFile> Load(const std::string& plain) {
    std::string stored = ScrambleInfText(plain);
    return LoadInfBytes(reinterpret_cast<uint8_t*>(&stored[0]), stored.size());
}

const std::string kHead = "START_INF\nFileVersion 5\n";

struct Unreadable {
    std::string plain;
    const char* reason;
    int line;  // 0: the file as a whole
};

TEST(InfLoader, UnreadableFiles) {
    const Unreadable cases[] = {
        // older format
        {"A,1,2,x #\"x\nB,1,2,x # y\n",  // the quote in a comment is still open at the next '#'
         "'#' inside a quoted text (the quote opened on line 1)", 2},
        {"\"A#B\",1,2\n", "'#' inside a quoted text (the quote opened on line 1)", 1},
        {"A, 1,2\n", "field 1 (file number) is not digits only", 1},
        {"A,1,2a\n", "field 2 (code) is not digits only", 1},
        {"A,1,2,3,4,5,6\n", "too many fields (field 6)", 1},
        // keyword format
        {"START_INF\nBogus 1\n", "unknown keyword \"Bogus\"", 2},
        {"START_INF\nFileVersion\n", "FileVersion without a value", 2},
        {"START_INF\nFileVersion 5\nPackageStart\nPackageName\n", "PackageName without a value", 4},
        {"START_INF\nPackageID \"\"\n", "PackageID without a value", 2},
        {"START_INF\nFontType TTF\nProductType ABCD\n",  // no version declared yet
         "FontType before FileVersion 5 (the file version is 0)", 2},
        {"START_INF\nFileVersion 4\nProductType ABCD\nFontType TTF\n",
         "FontType before FileVersion 5 (the file version is 4)", 4},
        {"START_INF\nProductType ABC\n",  // creates the first package
         "ProductType is not 4 bytes (3 bytes)", 2},
        {"START_INF\nPackageName P\nProductType ABCD\nPackageStart\n",
         "PackageStart after package lines outside any block", 4},
        {"START_INF\nPackageStart\nPackageStart\n",
         "PackageStart inside a package block (no PackageEnd before it)", 3},
        {"START_INF\nPackageEnd\n", "PackageEnd without PackageStart", 2},
        {"START_INF\nPackageName P\nProductType ABCD\nPackageEnd\n", "PackageEnd without PackageStart", 4},
        {"START_INF\nPackageStart\nProductType ABCD\nPackageEnd\nFont A,1,2,1.0,x\n",
         "Font line outside any package block (after PackageEnd)", 5},
        {"START_INF\nPackageStart\nProductType ABCD\nAllFont A,1,2,1.0,x\nAllFont B,1,2,1.0,x\n",
         "a second all-fonts entry (AllFont) in the package", 5},
        {"START_INF\nProductType ABCD\nFont A,1,2,1.0\n", "Font line with too few fields (4; it needs 5)", 3},
        {"START_INF\nProductType ABCD\nFont A,1,2,1.0,x,F,S,extra\n", "too many fields (field 7)", 3},
        {"START_INF\nProductType ABCD\nFont A,x1,2,1.0,x\n", "field 1 (file number) is not digits only", 3},
        {"START_INF\nProductType ABCD\nFont A,1,2,1.0,x\nEND_INF\nBogus\n",  // read after END_INF
         "unknown keyword \"Bogus\"", 5},
        {"START_INF\nPackageStart\nPackageName P\nPackageEnd\n", "package 1 of 1 without ProductType", 0},
        {"START_INF\nPackageStart\nProductType ABCD\nPackageEnd\nPackageStart\nPackageName P\nPackageEnd\n",
         "package 2 of 2 without ProductType", 0},
        // A NUL byte cuts the line: a font line cut after its fourth field is unreadable.
        {std::string("START_INF\nProductType ABCD\nFont A,1,2,1.0,\0x\n", 42),
         "Font line with too few fields (4; it needs 5)", 3},
        // A quoted keyword is cut after 32 bytes, a character never split, and control bytes shown as '?'.
        {"START_INF\n\"\x1B[2J" + std::string(27, 'K') + "\x81\x40\"\n",
         "unknown keyword \"?[2JKKKKKKKKKKKKKKKKKKKKKKKKKKK\"...", 2},
        // Physical lines: CR LF is one line end, a lone CR or LF is one, LF CR is two.
        {"START_INF\r\nFileVersion 5\r\nPackageStart\r\nPackageEnd\r\nFont A,1,2,1.0,x\r\n",
         "Font line outside any package block (after PackageEnd)", 5},
        {"START_INF\rFileVersion 5\r\rBogus\r", "unknown keyword \"Bogus\"", 4},
        {"START_INF\n\r\r\nBogus", "unknown keyword \"Bogus\"", 4},
        {"A,1,2\r\n\r\nB,x,2\r\n", "field 1 (file number) is not digits only", 3},
        // An LF taken as a trail byte still ends a physical line; the parsed line
        // it runs on into is named by where it began.
        {"START_INF\nPackageName \x81\nFileVersion 5\nBogus\n", "unknown keyword \"Bogus\"", 4},
        {"START_INF\nBogus \x81\nFileVersion 5\n", "unknown keyword \"Bogus\"", 2},
        {"A,1,2,\"x\x81\n#\n", "'#' inside a quoted text (the quote opened on line 1)", 2},
    };
    for (const Unreadable& c : cases) {
        std::string stored = ScrambleInfText(c.plain);
        VLInfProblem problem{"stale", 99};
        EXPECT_EQ(LoadInfBytes(reinterpret_cast<uint8_t*>(&stored[0]), stored.size(), &problem), nullptr)
            << c.plain;
        EXPECT_EQ(problem.reason, c.reason) << c.plain;
        EXPECT_EQ(problem.line, c.line) << c.plain;
    }
}

TEST(InfLoader, EmptyFilesLoadWithoutPackages) {
    auto csv = Load("");
    ASSERT_NE(csv, nullptr);
    EXPECT_FALSE(IsKeywordFormat(*csv));
    EXPECT_EQ(csv->GetFileVersion(), 2);
    EXPECT_EQ(csv->GetPackageCount(), 0);
    EXPECT_TRUE(csv->GetPackage(0).m_fonts.empty());
    EXPECT_EQ(csv->GetPackage(0).m_fontType, "OTF");

    auto keyword = Load("START_INF\r\nEND_INF\r\n");
    ASSERT_NE(keyword, nullptr);
    EXPECT_TRUE(IsKeywordFormat(*keyword));
    EXPECT_EQ(keyword->GetPackageCount(), 0);
}

TEST(InfLoader, OlderFormatFieldsAndLineRules) {
    auto catalogue = Load(
        "# header comment only\n"
        "\n\r\n"
        "Regular,17,00100,1.00,x   #comment after the last field\r\n"
        "All,,18,12345,1.0.2,y,ALLINST\n"
        "All2,19,12,abc,z,ALLINSTALL\n"
        "   \n"
        "\"Quo,ted\",20,1\n");
    ASSERT_NE(catalogue, nullptr);
    ASSERT_EQ(catalogue->GetPackageCount(), 1);
    const VLPackageInfo& package = catalogue->GetPackage(0);
    ASSERT_EQ(package.m_fonts.size(), 4u);  // the second all-fonts line is dropped
    EXPECT_EQ(package.m_fontType, "OTF");
    EXPECT_EQ(package.m_allFontsIndex, 1);

    const VLFontInfo& regular = package.m_fonts[0];
    EXPECT_EQ(regular.m_baseName, "Regular");
    EXPECT_EQ(regular.m_fileNumber, 17);
    EXPECT_EQ(regular.m_codeHigh, 1);
    EXPECT_EQ(regular.m_codeLow, 0);
    EXPECT_EQ(regular.m_version, 100);
    EXPECT_EQ(regular.m_extra, "x   ");  // blanks before the comment stay in field 4
    EXPECT_FALSE(regular.m_isAllFonts);

    const VLFontInfo& all = package.m_fonts[1];
    EXPECT_EQ(all.m_fileNumber, 18);  // two commas in a row: the empty field takes no number
    EXPECT_EQ(all.m_codeHigh, 123);
    EXPECT_EQ(all.m_codeLow, 45);
    EXPECT_EQ(all.m_versionText, "1.0.2");
    EXPECT_EQ(all.m_version, 10);
    EXPECT_TRUE(all.m_isAllFonts);

    EXPECT_EQ(package.m_fonts[2].m_baseName, "   ");  // a line of blanks is a font entry
    EXPECT_EQ(package.m_fonts[2].m_fileNumber, 0);    // fields the line does not reach stay 0
    EXPECT_EQ(package.m_fonts[3].m_baseName, "Quo,ted");
}

TEST(InfLoader, KeywordFormatPackagesAndFonts) {
    auto catalogue = Load(kHead +
                          "PackageStart\n"
                          "PackageName \"Example Package\"\n"
                          "ProductType ABCD\n"
                          "ProductType TOOLONG\n"  // ignored on an existing package
                          "PackageID 65548\n"
                          "FontType TTF\n"
                          "Font ExampleRegular,17,00100,1.00,x,Example,Regular\n"
                          "   \n"
                          "Font B,18,2,1.0,\"\",y\n"  // the empty token takes no field number
                          "AllFont C,19,3,2.1,z,\"Fam ily\"\n"
                          "PackageEnd\n"
                          "ProductType WXYZ\n"  // still changes the newest package
                          "PackageStart\n"
                          "ProductType EFGH\n"
                          "END_INF\n"
                          "PackageName Second\n");  // lines after END_INF still count; the block stays open
    ASSERT_NE(catalogue, nullptr);
    EXPECT_EQ(catalogue->GetFileVersion(), 5);
    ASSERT_EQ(catalogue->GetPackageCount(), 2);

    const VLPackageInfo& first = catalogue->GetPackage(0);
    EXPECT_EQ(first.m_packageName, "Example Package");
    EXPECT_EQ(first.m_productType, "WXYZ");
    EXPECT_EQ(first.m_packageId, 12);
    EXPECT_EQ(first.m_fontType, "TTF");
    EXPECT_EQ(first.m_allFontsIndex, 2);
    ASSERT_EQ(first.m_fonts.size(), 3u);
    EXPECT_EQ(first.m_fonts[0].m_familyName, "Example");
    EXPECT_EQ(first.m_fonts[0].m_styleName, "Regular");
    EXPECT_EQ(first.m_fonts[1].m_extra, "y");
    EXPECT_EQ(first.m_fonts[2].m_familyName, "Fam ily");
    EXPECT_EQ(first.m_fonts[2].m_version, 21);
    EXPECT_EQ(first.GetOutputFileName(0), "ExampleRegular.ttf");

    EXPECT_EQ(catalogue->GetPackage(1).m_packageName, "Second");
    EXPECT_EQ(catalogue->GetPackage(2).m_fonts.size(), 0u);
    EXPECT_EQ(catalogue->GetPackage(-1).m_allFontsIndex, -1);
}

TEST(InfLoader, ImplicitPackageTakesEveryLine) {
    auto catalogue = Load(
        "START_INF\nFont A,1,2,1.0,x\nProductType ABCD\nFileVersion 5\nFontType TTF\n"
        "AllFont B,1,2,1.0,x\n");
    ASSERT_NE(catalogue, nullptr);
    ASSERT_EQ(catalogue->GetPackageCount(), 1);
    EXPECT_EQ(catalogue->GetPackage(0).m_fonts.size(), 2u);
    EXPECT_EQ(catalogue->GetPackage(0).m_fontType, "TTF");
}

TEST(InfLoader, ShiftJisTrailBytesAreNeverExamined) {
    // 0x81 0x23 has a trail byte that looks like '#'; 0x95 0x5C one that looks like '\'.
    const std::string family = "\x81\x23\x95\x5C";
    auto catalogue = Load(kHead + "ProductType ABCD\nFont A,1,2,1.0,x," + family + ",S #c\n");
    ASSERT_NE(catalogue, nullptr);
    EXPECT_EQ(catalogue->GetPackage(0).m_fonts[0].m_familyName, family);

    // A trail byte that looks like '"' does not open the file-wide quote state.
    EXPECT_NE(Load("A,1,2,x #\x83\x22\nB,1,2,x # y\n"), nullptr);

    // A lead byte as the very last byte is taken alone.
    auto lone = Load("A,1,2,1.0,x\x81");
    ASSERT_NE(lone, nullptr);
    EXPECT_EQ(lone->GetPackage(0).m_fonts[0].m_extra, "x\x81");
}

TEST(InfLoader, NulEndsTheLineContent) {
    auto catalogue = Load(std::string("A,1,2\0,zzz\nB,3,4\n\0C,5,6\n", 24));
    ASSERT_NE(catalogue, nullptr);
    const VLPackageInfo& package = catalogue->GetPackage(0);
    ASSERT_EQ(package.m_fonts.size(), 2u);  // the line beginning with NUL is empty
    EXPECT_EQ(package.m_fonts[0].m_codeHigh, 2);
    EXPECT_EQ(package.m_fonts[1].m_baseName, "B");
}

TEST(InfLoader, FileSizeLimit) {
    TempDir dir;
    const std::string path = dir.Child("otf.inf");
    size_t size = 0;
    VLInfProblem problem{"stale", 99};

    WriteBytes(path, std::string(kMaxInfFileSize - 1, '\n'));
    EXPECT_NE(ReadWholeFile(path, size), nullptr);
    EXPECT_EQ(size, kMaxInfFileSize - 1);
    EXPECT_NE(LoadInfFile(path, &problem), nullptr);
    EXPECT_EQ(problem.reason, "");

    WriteBytes(path, std::string(kMaxInfFileSize, '\n'));
    EXPECT_EQ(ReadWholeFile(path, size), nullptr);
    EXPECT_EQ(LoadInfFile(path, &problem), nullptr);
    EXPECT_EQ(problem.reason, "file too large (1024000 bytes; the limit is 1023999)");
    EXPECT_EQ(problem.line, 0);
}

TEST(InfLoader, FilesThatCannotBeRead) {
    TempDir dir;
    VLInfProblem problem;
    EXPECT_EQ(LoadInfFile(dir.Child("missing.inf"), &problem), nullptr);
    EXPECT_EQ(DescribeInfProblem(problem), "cannot be opened");

    EXPECT_EQ(LoadInfFile(dir.path(), &problem), nullptr);
    EXPECT_EQ(problem.reason, "not a regular file");

    const std::string path = dir.Child("otf.inf");
    WriteBytes(path, ScrambleInfText("START_INF\nBogus\n"));
    EXPECT_EQ(LoadInfFile(path, &problem), nullptr);
    EXPECT_EQ(DescribeInfProblem(problem), "line 2: unknown keyword \"Bogus\"");
}

TEST(InfLoader, RandomBytesNeverCrash) {
    std::mt19937 random(1);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        if (round % 2) bytes = ScrambleInfText("START_INF\n" + bytes);
        const std::string plain = DescrambleInfText(bytes);
        const auto maxLine =
            1 + std::count(plain.begin(), plain.end(), '\r') + std::count(plain.begin(), plain.end(), '\n');
        VLInfProblem problem;
        const bool loaded =
            LoadInfBytes(reinterpret_cast<uint8_t*>(&bytes[0]), bytes.size(), &problem) != nullptr;
        // Every refusal says why, and names no line past the file's last.
        EXPECT_EQ(loaded, problem.reason.empty()) << round;
        EXPECT_LE(problem.line, maxLine) << round;
    }
}

}  // namespace
