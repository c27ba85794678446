#include "catalogue/package_info.h"

#include <gtest/gtest.h>

namespace {

VLFontInfo Font(const std::string& base, const std::string& family = "", const std::string& style = "",
                bool allFonts = false) {
    VLFontInfo font;
    font.m_baseName = base;
    font.m_familyName = family;
    font.m_styleName = style;
    font.m_isAllFonts = allFonts;
    return font;
}

TEST(PackageInfo, AtMostOneAllFontsEntry) {
    VLPackageInfo package;
    EXPECT_TRUE(package.AddFont(Font("all", "", "", true)));
    EXPECT_EQ(package.m_allFontsIndex, 0);
    EXPECT_TRUE(package.AddFont(Font("plain")));
    EXPECT_FALSE(package.AddFont(Font("second", "", "", true)));
    EXPECT_EQ(package.m_fonts.size(), 2u);
    EXPECT_EQ(package.m_allFontsIndex, 0);
}

TEST(PackageInfo, ProductTypeMustBeFourBytes) {
    VLPackageInfo package;
    EXPECT_FALSE(package.SetProductType("ABC"));
    EXPECT_FALSE(package.SetProductType("ABCDE"));
    EXPECT_EQ(package.m_productType, "");
    EXPECT_TRUE(package.SetProductType("ABCD"));
    EXPECT_EQ(package.m_productType, "ABCD");
}

TEST(PackageInfo, OnlyExactTtfGivesTtfNames) {
    struct Case {
        const char* fontType;
        const char* fileName;
    } cases[] = {
        {"TTF", "A.ttf"}, {"OTF", "A.otf"}, {"ttf", "A.otf"}, {"TTF ", "A.otf"}, {"", "A.otf"},
    };
    for (const auto& c : cases) {
        VLPackageInfo package;
        package.SetFontType(c.fontType);
        package.AddFont(Font("A"));
        EXPECT_EQ(package.GetOutputFileName(0), c.fileName) << c.fontType;
    }
}

TEST(PackageInfo, LabelsPadTheFileNameAndJoinTheNameParts) {
    VLPackageInfo package;
    package.AddFont(Font("A", "Fam", "W3"));
    package.AddFont(Font("B"));
    package.AddFont(Font("C", "", "W3"));
    package.AddFont(Font("D", "Fam", ""));
    package.AddFont(Font(std::string(40, 'L'), "F", "S"));
    EXPECT_EQ(package.FormatFontLabel(0, false), "A.otf(Fam W3)");
    EXPECT_EQ(package.FormatFontLabel(0, true), "A.otf" + std::string(25, ' ') + "(Fam W3)");
    EXPECT_EQ(package.FormatFontLabel(1, true), "B.otf");
    EXPECT_EQ(package.FormatFontLabel(2, false), "C.otf( W3)");
    EXPECT_EQ(package.FormatFontLabel(3, false), "D.otf(Fam )");
    EXPECT_EQ(package.FormatFontLabel(4, true), std::string(40, 'L') + ".otf(F S)");
}

}  // namespace
