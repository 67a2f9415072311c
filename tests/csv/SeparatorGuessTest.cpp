#include "csv/SeparatorGuess.h"

#include <gtest/gtest.h>

using namespace keyferry;

TEST(SeparatorGuess, HeaderLineDecidesAndDataLinesBreakTies) {
    using S = Separator;
    const struct {
        const char* name;
        std::string input;
        Separator expected;
        bool noted;
    } cases[] = {
        {"semicolons", "Name;City\nAnn;Bonn\n", S::semicolon, false},
        {"commas", "Name,City\nAnn,Bonn\n", S::comma, false},
        {"tabs", "Name\tCity\nAnn\tBonn\n", S::tab, false},
        {"pipes", "Name|City\nAnn|Bonn\n", S::pipe, false},
        {"byte order mark first", "\xEF\xBB\xBFName,City\n", S::comma, false},
        {"one column", "Name\nAnn, Bob\n", S::semicolon, false},
        {"empty file", "", S::semicolon, false},
        {"a semicolon inside quotes", "\"Name;Full\",City\nAnn,Bonn\n", S::comma, false},
        {"a comma inside quotes", "\"Street, No.\";City\n", S::semicolon, false},
        {"a comma in a header name, data disagrees", "Name;Street, No.\nAnn;Main St 5\n",
         S::semicolon, false},
        {"a semicolon header never yields, but says so", "Name,Note;x\nAnn,b\n", S::semicolon,
         true},
        {"semicolons and commas both fit", "Name;Note, short\nAnn;a, b\n", S::semicolon, true},
        {"data lines settle commas against pipes", "a|b,c\n1,2\n", S::comma, false},
        {"a quoted line break in the data", "a,b\n\"1\n2\",3\n4,5\n", S::comma, false},
        {"commas and pipes both fit", "a,b|c\n", S::semicolon, true},
        {"a wrong count after a comma header", "a,b\n1,2,3\n", S::comma, false},
        {"an unclosed quote in the header", "\"a,b\n", S::semicolon, false},
    };
    for (const auto& test : cases) {
        const SeparatorGuess guess = guessSeparator(test.input);
        EXPECT_EQ(guess.separator, test.expected) << test.name;
        EXPECT_EQ(guess.note.has_value(), test.noted) << test.name;
    }
}

TEST(SeparatorGuess, AmbiguityNoteNamesTheCandidates) {
    EXPECT_EQ(guessSeparator("Name;Note, short\n").note,
              "Read as semicolon-separated: the header line could be separated by semicolons "
              "or commas");
    EXPECT_EQ(guessSeparator("a,b|c\td\n").note,
              "Read as semicolon-separated: the header line could be separated by commas, tabs "
              "or pipes (|)");
}

TEST(Separator, NamesRoundTripAndDescribe) {
    for (const Separator separator :
         {Separator::semicolon, Separator::comma, Separator::tab, Separator::pipe})
        EXPECT_EQ(separatorNamed(separatorName(separator)), separator);
    EXPECT_FALSE(separatorNamed("auto"));
    EXPECT_EQ(separatorDescription(Separator::comma), "Separated by commas");
    EXPECT_EQ(separatorDescription(Separator::tab), "Separated by tabs");
}
