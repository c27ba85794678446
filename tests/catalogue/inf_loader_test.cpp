#include "catalogue/inf_loader.h"

#include <gtest/gtest.h>

#include <random>

#include "catalogue/inf_scrambling.h"
#include "tests/support/temp_dir.h"

namespace {

std::unique_ptr<VLInfFile> Load(const std::string& plain) {
    std::string stored = ScrambleInfText(plain);
    return LoadInfBytes(reinterpret_cast<uint8_t*>(&stored[0]), stored.size());
}

const std::string kHead = "START_INF\nFileVersion 5\n";

TEST(InfLoader, UnreadableFiles) {
    const char* cases[] = {
        // older format
        "A,1,2,x #\"x\nB,1,2,x # y\n",  // the quote in a comment is still open at the next '#'
        "\"A#B\",1,2\n",                // '#' inside quotes
        "A, 1,2\n",                     // field 1 not digits only
        "A,1,2a\n",                     // field 2 not digits only
        "A,1,2,3,4,5,6\n",              // a seventh field
        // keyword format
        "START_INF\nBogus 1\n", "START_INF\nFileVersion\n",
        "START_INF\nFileVersion 5\nPackageStart\nPackageName\n", "START_INF\nPackageID \"\"\n",
        "START_INF\nFontType TTF\nProductType ABCD\n",  // no version declared yet
        "START_INF\nFileVersion 4\nProductType ABCD\nFontType TTF\n",
        "START_INF\nProductType ABC\n",  // creates the first package
        "START_INF\nPackageName P\nProductType ABCD\nPackageStart\n",
        "START_INF\nPackageStart\nPackageStart\n", "START_INF\nPackageEnd\n",
        "START_INF\nPackageName P\nProductType ABCD\nPackageEnd\n",
        "START_INF\nPackageStart\nProductType ABCD\nPackageEnd\nFont A,1,2,1.0,x\n",
        "START_INF\nPackageStart\nProductType ABCD\nAllFont A,1,2,1.0,x\nAllFont B,1,2,1.0,x\n",
        "START_INF\nProductType ABCD\nFont A,1,2,1.0\n",
        "START_INF\nProductType ABCD\nFont A,1,2,1.0,x,F,S,extra\n",
        "START_INF\nProductType ABCD\nFont A,x1,2,1.0,x\n",
        "START_INF\nProductType ABCD\nFont A,1,2,1.0,x\nEND_INF\nBogus\n",  // read after END_INF
        "START_INF\nPackageStart\nPackageName P\nPackageEnd\n",             // no product type
    };
    for (const char* plain : cases) EXPECT_EQ(Load(plain), nullptr) << plain;

    // A NUL byte cuts the line: a font line cut after its fourth field is unreadable.
    EXPECT_EQ(Load(std::string("START_INF\nProductType ABCD\nFont A,1,2,1.0,\0x\n", 42)), nullptr);
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

    WriteBytes(path, std::string(kMaxInfFileSize - 1, '\n'));
    EXPECT_NE(ReadWholeFile(path, size), nullptr);
    EXPECT_EQ(size, kMaxInfFileSize - 1);
    EXPECT_NE(LoadInfFile(path), nullptr);

    WriteBytes(path, std::string(kMaxInfFileSize, '\n'));
    EXPECT_EQ(ReadWholeFile(path, size), nullptr);
    EXPECT_EQ(LoadInfFile(path), nullptr);
    EXPECT_EQ(LoadInfFile(dir.Child("missing.inf")), nullptr);
}

TEST(InfLoader, RandomBytesNeverCrash) {
    std::mt19937 random(1);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        if (round % 2) bytes = ScrambleInfText("START_INF\n" + bytes);
        LoadInfBytes(reinterpret_cast<uint8_t*>(&bytes[0]), bytes.size());
    }
}

}  // namespace
