#include "catalogue/token_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Tokens(const std::string& line) {
    VLLineStream stream(line);
    std::vector<std::string> tokens;
    while (stream.pos < line.size()) tokens.push_back(ReadToken(stream));
    return tokens;
}

TEST(ReadToken, SplitsAtBlanksAndCommasAndHonoursQuotes) {
    struct Case {
        std::string line;
        std::vector<std::string> tokens;
    } cases[] = {
        {"Font A,1", {"Font", "A", "1"}},
        {"  a\t\tb  ", {"a", "b", ""}},
        {"\"a b,c\" d", {"a b,c", "d"}},
        {"ab\"c d\"e f", {"abc d", "e", "f"}},            // a quote inside a token: it ends at the next quote
        {"\"\" x", {"", "x"}},                            // an empty quoted token
        {"\x82\xA0,\x95\x5C", {"\x82\xA0", "\x95\x5C"}},  // bytes from 0x80 never separate
    };
    for (const auto& c : cases) EXPECT_EQ(Tokens(c.line), c.tokens) << c.line;
}

TEST(ReadNumber, ReadsLikeTheCRuntimeAndSaturates) {
    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"12", 12},
        {"  -7x", -7},
        {"+5", 5},
        {"abc", 0},
        {"", 0},
        {"0012", 12},
        {"2147483647", 2147483647},
        {"99999999999", 2147483647},
        {"-99999999999", INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.value) << c.text;
}

}  // namespace
