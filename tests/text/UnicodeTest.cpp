// The Unicode helpers the CSV reader, the engine and both keyboards share: what counts as
// well-formed UTF-8, which scalars a text holds, where user-perceived characters end, and
// when two texts are the same text.

#include "text/UnicodeText.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

using namespace keyferry;

namespace {

std::size_t firstInvalidOf(std::string_view text) {
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    return utf8::firstInvalid(begin, begin + text.size());
}

std::vector<std::string> clusters(std::string_view text) {
    std::vector<std::string> out;
    for (std::string_view cluster : graphemeClusters(text))
        out.emplace_back(cluster);
    return out;
}

} // namespace

TEST(Utf8, WellFormedOnlyUpToTheFirstBadSequence) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t firstInvalid;
    };
    const std::vector<Case> cases = {
        {"ascii", "plain text", 10},
        {"two, three and four bytes", "\xC3\xBC\xE2\x82\xAC\xF0\x9F\x91\x8D", 9},
        {"long ascii run, then a stray continuation byte", std::string(40, 'a') + "\x80" + "b", 40},
        {"overlong encoding of '/'", "ab\xC0\xAF", 2},
        {"overlong three-byte form", "\xE0\x80\xAF", 0},
        {"UTF-16 surrogate", "x\xED\xA0\x80", 1},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"cut off at the end", "ok\xE2\x82", 2},
        {"lead byte that never starts a sequence", "\xFF", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstInvalidOf(c.text), c.firstInvalid) << c.what;
}

TEST(Utf8, CodePointsSkipWhatIsNotUtf8) {
    EXPECT_EQ(utf8::codePoints("a\xC3\xA9\xF0\x9F\x91\x8D"),
              (std::vector<char32_t>{U'a', U'\u00E9', U'\U0001F44D'}));
    EXPECT_EQ(utf8::codePoints("a\xFF"
                               "b\xE2\x82"),
              (std::vector<char32_t>{U'a', U'b'}));
    EXPECT_TRUE(utf8::codePoints("").empty());
}

TEST(UnicodeText, UserPerceivedCharactersStayWhole) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> clusters;
    };
    const std::vector<Case> cases = {
        {"ascii", "ab", {"a", "b"}},
        {"combining accent", "e\xCC\x81x", {"e\xCC\x81", "x"}},
        {"emoji with skin tone",
         "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD!",
         {"\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD", "!"}},
        {"flag of two regional indicators",
         "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA",
         {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"}},
        {"Hangul syllables and CJK",
         "\xED\x95\x9C\xEA\xB5\xAD\xE6\x9D\x8E",
         {"\xED\x95\x9C", "\xEA\xB5\xAD", "\xE6\x9D\x8E"}},
        {"CR LF is one", "a\r\nb", {"a", "\r\n", "b"}},
        {"empty", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clusters(c.text), c.clusters) << c.what;
}

TEST(UnicodeText, ComposedAndEquivalentTexts) {
    EXPECT_EQ(composed("Mu\xCC\x88nchen"), "M\xC3\xBCnchen");
    EXPECT_EQ(composed("already \xC3\xBC"), "already \xC3\xBC");
    EXPECT_EQ(composed("bad \xFF byte"), "bad \xFF byte") << "not UTF-8: left as it is";
    EXPECT_TRUE(canonicallyEquivalent("e\xCC\x81", "\xC3\xA9"));
    EXPECT_FALSE(canonicallyEquivalent("\xC3\xA9", "\xC3\x89")) << "case matters";
    EXPECT_FALSE(canonicallyEquivalent("e", "\xC3\xA9"));
}
