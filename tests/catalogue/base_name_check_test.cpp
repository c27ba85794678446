#include "catalogue/base_name_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CheckBaseName, PlainNamesPassAndEverythingThatCouldBeAPathIsRefused) {
    using P = VLBaseNameProblem;
    struct Case {
        std::string name;
        P problem;
    } cases[] = {
        {"ipag", P::kNone},
        {"averyveryverylongbasefontname", P::kNone},
        {"A-B_c 1.2", P::kNone},
        {"\x83\x65\x83\x58\x83\x67", P::kNone},  // テスト
        {"CONSOLE", P::kNone},                   // only the exact device names are reserved
        {"COM0", P::kNone},
        {".hidden", P::kNone},
        {std::string(kMaxBaseNameBytes, 'a'), P::kNone},
        {"", P::kEmpty},
        {std::string(kMaxBaseNameBytes + 1, 'a'), P::kTooLong},
        {"..\\..\\esc", P::kSeparator},
        {"../../esc", P::kSeparator},
        {"..\\../esc", P::kSeparator},
        {"sub\\x", P::kSeparator},
        {"C:\\WINDOWS\\evil", P::kSeparator},
        // ソ (0x83 0x5C) and 能 (0x94 0x5C): another code page reads their
        // second byte as a backslash.
        {"\x83\x5C", P::kSeparator},
        {"\x83\x5C\\..\\..\\x", P::kSeparator},
        {"\x94\x5C", P::kSeparator},
        {".", P::kDotName},
        {"..", P::kDotName},
        {"C:evil", P::kColon},
        {"font:stream", P::kColon},
        {"a*b", P::kReservedCharacter},
        {"a?b", P::kReservedCharacter},
        {"a|b", P::kReservedCharacter},
        {"a<b", P::kReservedCharacter},
        {"a\"b", P::kReservedCharacter},
        {std::string("a\x1b[2Jb"), P::kControlCharacter},
        {std::string("a\tb"), P::kControlCharacter},
        {std::string("a\x7f"), P::kControlCharacter},
        {std::string("a\x83"), P::kInvalidShiftJis},
        {"CON", P::kReservedDevice},
        {"con", P::kReservedDevice},
        {"NUL.ttf", P::kReservedDevice},
        {"aux .x", P::kReservedDevice},
        {"COM1", P::kReservedDevice},
        {"lpt9", P::kReservedDevice},
        {"PRN", P::kReservedDevice},
        {"CONOUT$", P::kReservedDevice},
        {"font.", P::kTrailingDotOrBlank},
        {"font ", P::kTrailingDotOrBlank},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckBaseName(c.name), c.problem) << "\"" << c.name << "\"";
    }
}

}  // namespace
