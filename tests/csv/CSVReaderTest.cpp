#include "csv/ReadOutcome.h"

#include <gtest/gtest.h>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

struct ExpectedError {
    CSVError error;
    bool atConstruction;
};

struct ImportCase {
    std::string name;
    std::string input;
    std::vector<std::string> headers;
    Rows rows; // rows returned before the end or the error
    std::optional<ExpectedError> error;
    Separator separator = Separator::semicolon;
};

ExpectedError inRows(CSVError error) {
    return {std::move(error), false};
}
ExpectedError inHeader(CSVError error) {
    return {std::move(error), true};
}

const std::string bom = "\xEF\xBB\xBF";

/// The line "PREFIX1;PREFIX2;..." of `columns` fields, and those fields.
std::string numbered(const std::string& prefix, int columns) {
    std::string line;
    for (int i = 1; i <= columns; ++i)
        line += (i > 1 ? ";" : "") + prefix + std::to_string(i);
    return line;
}
std::vector<std::string> numberedFields(const std::string& prefix, int columns) {
    std::vector<std::string> fields;
    for (int i = 1; i <= columns; ++i)
        fields.push_back(prefix + std::to_string(i));
    return fields;
}

std::vector<ImportCase> importCases() {
    // Wide rows cross the stride at which field starts are kept, also after a skipped line
    // and after a dropped extra field.
    const int wide = 40; // the empty line's field falls on a kept start
    std::vector<std::string> quotedRow(wide, "");
    quotedRow[0] = "q;\"";
    return {
        {"wide rows, an empty line between",
         numbered("c", wide) + "\n" + numbered("x", wide) + "\n\n" + numbered("y", wide) + "\n",
         numberedFields("c", wide),
         {numberedFields("x", wide), numberedFields("y", wide)},
         {}},
        {"wide rows, empty fields and quotes",
         numbered("c", wide) + "\n" + std::string(wide - 1, ';') + "\n\"q;\"\"\"" +
             std::string(wide - 1, ';') + "\n",
         numberedFields("c", wide),
         {std::vector<std::string>(wide, ""), quotedRow},
         {}},
        {"a wide row with one field too many",
         numbered("c", wide) + "\n" + numbered("x", wide) + "\n" + numbered("z", wide + 1) + "\n",
         numberedFields("c", wide),
         {numberedFields("x", wide)},
         inRows(CSVError::invalidFieldCount(3, wide + 1, wide))},
        {"final line feed adds no row", "a;b\n1;2\n", {"a", "b"}, {{"1", "2"}}, {}},
        {"no final line feed", "a;b\n1;2", {"a", "b"}, {{"1", "2"}}, {}},
        {"trailing empty field", "a;b\n1;\n", {"a", "b"}, {{"1", ""}}, {}},
        {"two empty fields", "a;b\n;\n", {"a", "b"}, {{"", ""}}, {}},
        {"trailing delimiter at end of input", "a;b\n1;", {"a", "b"}, {{"1", ""}}, {}},
        {"quoted delimiter and doubled quotes",
         "a;b\n\"x;y\";\"say \"\"hi\"\"\"\n",
         {"a", "b"},
         {{"x;y", "say \"hi\""}},
         {}},
        {"quoted field spans lines", "a;b\n\"1\n2\";3", {"a", "b"}, {{"1\n2", "3"}}, {}},
        {"quoted empty field", "a;b\n\"\";\"\"\"\"", {"a", "b"}, {{"", "\""}}, {}},
        {"spaces are data", "a;b\n 1 ;2", {"a", "b"}, {{" 1 ", "2"}}, {}},
        {"quote inside unquoted field",
         "a;b\nx\"y;2",
         {"a", "b"},
         {},
         inRows(CSVError::invalidUnescapedField(1))},
        {"text after closing quote",
         "a;b\n\"x\"y;2",
         {"a", "b"},
         {},
         inRows(CSVError::invalidEscapedField(1, "x", U'y'))},
        {"quote never closed", "a;b\n\"x;2", {"a", "b"}, {}, inRows(CSVError::invalidEOF(1))},
        {"too many fields",
         "a;b\n1;2;3",
         {"a", "b"},
         {},
         inRows(CSVError::invalidFieldCount(2, 3, 2))},
        {"too few fields", "a;b\n1", {"a", "b"}, {}, inRows(CSVError::invalidFieldCount(2, 1, 2))},
        {"field count error names the line",
         "a;b\n1;2\n\n3;4\n5\n",
         {"a", "b"},
         {{"1", "2"}, {"3", "4"}},
         inRows(CSVError::invalidFieldCount(4, 1, 2))},
        {"carriage returns are data", "a;b\r\n1;2\r\n", {"a", "b\r"}, {{"1", "2\r"}}, {}},
        {"CRLF after a quoted header",
         "a;\"b\"\r\n",
         {},
         {},
         inHeader(CSVError::invalidEscapedField(0, "b", U'\r'))},
        {"empty line after a two-column header",
         "a;b\n\n1;2\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidFieldCount(2, 1, 2))},
        {"empty line after a one-column header is a row", "a\n\n1\n", {"a"}, {{""}, {"1"}}, {}},
        {"empty lines further down are skipped",
         "a;b\n1;2\n\n\n3;4\n\n",
         {"a", "b"},
         {{"1", "2"}, {"3", "4"}},
         {}},
        {"leading line feed is an empty header",
         "\n1;2\n",
         {""},
         {},
         inRows(CSVError::invalidFieldCount(2, 2, 1))},
        {"empty input", "", {}, {}, {}},
        {"header only", "Name;Email\n", {"Name", "Email"}, {}, {}},
        {"byte order mark is not data", bom + "a;b\n1;2\n", {"a", "b"}, {{"1", "2"}}, {}},
        {"byte order mark alone", bom, {}, {}, {}},
        {"UTF-16 BE mark refused",
         "\xFE\xFF\x00\x61",
         {},
         {},
         inHeader(CSVError::mismatchedEncoding("utf8", "utf16BigEndian"))},
        {"UTF-16 LE mark refused",
         "\xFF\xFE\x61\x00",
         {},
         {},
         inHeader(CSVError::mismatchedEncoding("utf8", "utf16LittleEndian"))},
        {"UTF-32 BE mark refused",
         std::string("\x00\x00\xFE\xFF", 4),
         {},
         {},
         inHeader(CSVError::mismatchedEncoding("utf8", "utf32BigEndian"))},
        {"UTF-32 LE mark refused",
         std::string("\xFF\xFE\x00\x00", 4),
         {},
         {},
         inHeader(CSVError::mismatchedEncoding("utf8", "utf32LittleEndian"))},
        {"Latin-1 byte in the header",
         "Stra\xDF"
         "e;b\n1;2\n",
         {},
         {},
         inHeader(CSVError::invalidUTF8())},
        {"Latin-1 byte late in the file",
         "a;b\n1;2\n3;4\nCaf\xE9;5\n6;7\n",
         {"a", "b"},
         {{"1", "2"}, {"3", "4"}},
         inRows(CSVError::invalidUTF8())},
        {"cut-off character at the end",
         "a;b\n1;\xC3",
         {"a", "b"},
         {},
         inRows(CSVError::invalidUTF8())},
        {"bad bytes before a stray quote",
         "a;b\n\xE9x\"y;2\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidUTF8())},
        {"stray quote before bad bytes",
         "a;b\nx\"\xE9;2\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidUnescapedField(1))},
        {"bad byte right after a closing quote",
         "a;b\n\"x\"\xE9;2\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidUTF8())},
        {"non-ASCII text after a closing quote",
         "a;b\n\"x\"\xC3\xA9;2\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidEscapedField(1, "x", U'\u00E9'))},
        {"bad bytes before a field count error",
         "a;b\n1;2;\xFF\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidUTF8())},
        {"bad bytes before a delimiter at the end",
         "a\x97;",
         {},
         {},
         inHeader(CSVError::invalidUTF8())},
        {"bad bytes inside an unclosed quote",
         "a;b\n\"x\xFF",
         {"a", "b"},
         {},
         inRows(CSVError::invalidUTF8())},
        {"surrogate and overlong forms are not UTF-8",
         "a\n\xED\xA0\x80\n",
         {"a"},
         {},
         inRows(CSVError::invalidUTF8())},
        {"overlong form", "a\n\xC0\xAF\n", {"a"}, {}, inRows(CSVError::invalidUTF8())},
        {"header of empty names", ";;;\n;;;\n", {"", "", "", ""}, {{"", "", "", ""}}, {}},
        {"header name spans lines", "\"a\nb\";c\n1;2", {"a\nb", "c"}, {{"1", "2"}}, {}},
        {"extra fields of every kind",
         "a;b\nxx;yy;\"z;z\";ww;\n1;2\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidFieldCount(2, 5, 2))},
        {"bad quote after extra fields",
         "a;b\n1;2;3;\"x\"y\n",
         {"a", "b"},
         {},
         inRows(CSVError::invalidEscapedField(1, "x", U'y'))},
        {"extra fields after good rows",
         "a\n1\n2;3;4\n5\n",
         {"a"},
         {{"1"}},
         inRows(CSVError::invalidFieldCount(3, 3, 1))},
        {"umlauts, emoji and NUL are data",
         "N\xC3\xA4me\n\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD\n" + std::string(1, '\0') + "\n",
         {"N\xC3\xA4me"},
         {{"\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"}, {std::string(1, '\0')}},
         {}},
        {"semicolons are data between commas",
         "a,b\n1;2,\"x,y;z\"\n",
         {"a", "b"},
         {{"1;2", "x,y;z"}},
         {},
         Separator::comma},
        {"semicolons and commas are data between tabs",
         "a\tb\n1;2\t3,4\n",
         {"a", "b"},
         {{"1;2", "3,4"}},
         {},
         Separator::tab},
        {"a quoted pipe between pipes",
         "a|b\n\"x|y\"|\n",
         {"a", "b"},
         {{"x|y", ""}},
         {},
         Separator::pipe},
    };
}

// Every ";" case reads the same with another separator once that separator and ";" trade
// places in the input and in what is expected, so each case covers all four.
std::string swapped(std::string text, char other) {
    for (char& c : text)
        c = c == ';' ? other : c == other ? ';' : c;
    return text;
}

ImportCase withSeparator(ImportCase test, Separator separator) {
    const char other = separatorByte(separator);
    test.name += std::string(" (") + std::string(separatorName(separator)) + ")";
    test.input = swapped(test.input, other);
    for (auto& header : test.headers)
        header = swapped(header, other);
    for (auto& row : test.rows)
        for (auto& field : row)
            field = swapped(field, other);
    if (test.error)
        for (auto& [key, value] : test.error->error.errorUserInfo)
            if (auto* text = std::get_if<std::string>(&value))
                *text = swapped(*text, other);
    test.separator = separator;
    return test;
}

std::vector<ImportCase> casesForEverySeparator() {
    std::vector<ImportCase> all;
    for (const ImportCase& test : importCases()) {
        all.push_back(test);
        if (test.separator != Separator::semicolon)
            continue;
        for (const Separator other : {Separator::comma, Separator::tab, Separator::pipe})
            all.push_back(withSeparator(test, other));
    }
    return all;
}

void expectSameError(const CSVError& actual, const CSVError& expected, const std::string& name) {
    EXPECT_EQ(actual, expected) << name << "\n  got: " << actual.description()
                                << "\n  expected: " << expected.description();
}

} // namespace

TEST(CSVReader, ImportConfigurationCasesOnBothPaths) {
    for (const ImportCase& test : casesForEverySeparator()) {
        const ReadOutcome reader = readForImport(test.input, test.separator);
        EXPECT_EQ(reader.headers, test.headers) << test.name;
        EXPECT_EQ(reader.rows, test.rows) << test.name;
        ASSERT_EQ(reader.error.has_value(), test.error.has_value()) << test.name;
        if (test.error) {
            expectSameError(*reader.error, test.error->error, test.name);
            EXPECT_EQ(reader.failedAtConstruction, test.error->atConstruction) << test.name;
        }

        const ReadOutcome fast = parseForImport(test.input, test.separator);
        ASSERT_EQ(fast.error.has_value(), test.error.has_value()) << test.name;
        if (test.error) {
            expectSameError(*fast.error, test.error->error, test.name);
            EXPECT_TRUE(fast.rows.empty()) << test.name << ": no row survives a failure";
        } else {
            EXPECT_EQ(fast.headers, test.headers) << test.name;
            EXPECT_EQ(fast.rows, test.rows) << test.name;
        }
    }
}

TEST(CSVReader, StatusIsFinalAfterEndOrFailure) {
    auto finished = CSVReader::fromBytes("a\n1\n", CSVReader::Configuration::forImport());
    ASSERT_TRUE(finished.hasValue());
    CSVReader& done = **finished;
    EXPECT_TRUE(done.isActive());
    EXPECT_TRUE(done.readRow()->has_value());
    for (int i = 0; i < 3; ++i) {
        const auto row = done.readRow();
        ASSERT_TRUE(row.hasValue());
        EXPECT_FALSE(row->has_value());
    }
    EXPECT_TRUE(std::holds_alternative<CSVReader::Finished>(done.status()));

    auto failing = CSVReader::fromBytes("a\n\"x", CSVReader::Configuration::forImport());
    ASSERT_TRUE(failing.hasValue());
    const auto first = (*failing)->readRow();
    ASSERT_FALSE(first.hasValue());
    for (int i = 0; i < 3; ++i) {
        const auto again = (*failing)->readRow();
        ASSERT_FALSE(again.hasValue());
        EXPECT_EQ(again.error(), first.error());
    }
    EXPECT_EQ(std::get<CSVError>((*failing)->status()), first.error());

    auto empty = CSVReader::fromBytes("", CSVReader::Configuration::forImport());
    ASSERT_TRUE(empty.hasValue());
    EXPECT_TRUE(std::holds_alternative<CSVReader::Finished>((*empty)->status()))
        << "an empty input ends while the header is read";
}

TEST(CSVReader, ConfigurationErrors) {
    using Config = CSVReader::Configuration;
    auto fails = [](Config config) {
        auto made = CSVReader::fromText(U"a", std::move(config));
        return made ? std::optional<CSVError>() : std::optional<CSVError>(made.error());
    };
    Config noField;
    noField.delimiters.field.clear();
    EXPECT_EQ(fails(noField), CSVError::inferenceUnsupported());
    Config noRow;
    noRow.delimiters.row.clear();
    EXPECT_EQ(fails(noRow), CSVError::inferenceUnsupported());

    Config same;
    same.delimiters.field = U"\n";
    const auto sameError = fails(same);
    ASSERT_TRUE(sameError);
    EXPECT_EQ(sameError->failureReason, "The field and row delimiters cannot be the same.");
    EXPECT_EQ(sameError->type, CSVError::Type::invalidConfiguration);

    Config trimField;
    trimField.trimStrategy = {U',', U' '};
    EXPECT_EQ(fails(trimField)->failureReason,
              "The trim character set includes the field delimiter.");
    Config trimRow;
    trimRow.trimStrategy = {U'\n'};
    EXPECT_EQ(fails(trimRow)->failureReason, "The trim character set includes the row delimiter.");
    Config trimEscape;
    trimEscape.trimStrategy = {U'"'};
    EXPECT_EQ(fails(trimEscape)->failureReason,
              "The trim characters set includes the escaping scalar.");
    Config trimWithoutEscape = trimEscape;
    trimWithoutEscape.escapingStrategy.reset();
    EXPECT_FALSE(fails(trimWithoutEscape));
}

TEST(CSVReader, OtherConfigurations) {
    using Config = CSVReader::Configuration;
    {
        Config multi; // several scalars per delimiter, with read-ahead given back
        multi.delimiters.field = U"::";
        multi.delimiters.row = CSVReader::standardRowDelimiters();
        const auto out = readBytes("a:b::c\r\nd::\re\n:::", multi);
        EXPECT_FALSE(out.error) << out.error->description();
        EXPECT_EQ(out.rows, (Rows{{"a:b", "c"}, {"d", "\re"}, {"", ":"}}));
    }
    {
        // Of two row delimiters where one begins the other, the shorter wins. Without a
        // header the line after the first row is kept even when empty; later ones are not.
        Config rows;
        rows.delimiters.row = {U"\n", U"\n\n"};
        EXPECT_EQ(readBytes("a\n\nb\n\nc", rows).rows, (Rows{{"a"}, {""}, {"b"}, {"c"}}));
    }
    {
        Config trimmed;
        trimmed.trimStrategy = {U' '};
        const auto out = readBytes("  1 , \"x\"  ,2  \n", trimmed);
        EXPECT_FALSE(out.error);
        EXPECT_EQ(out.rows, (Rows{{"1", "x", "2"}}));
        EXPECT_EQ(readBytes("\"x\"  ", trimmed).rows, (Rows{{"x"}}));
    }
    {
        Config unquoted;
        unquoted.escapingStrategy.reset();
        EXPECT_EQ(readBytes("\"a\"b,\"\n", unquoted).rows, (Rows{{"\"a\"b", "\""}}));
    }
    {
        Config inferred; // no encoding: the mark decides
        inferred.encoding.reset();
        EXPECT_EQ(readBytes(std::string("\xFF\xFE\x41\x00", 4), inferred).rows, (Rows{{"A"}}));
        EXPECT_EQ(readBytes(std::string("\xFF\xFE\x00\x00\x41\x00\x00\x00", 8), inferred).rows,
                  (Rows{{"A"}}))
            << "the UTF-32 mark wins over the UTF-16 mark it begins with";
        Config sixteen;
        sixteen.encoding = TextEncoding::utf16;
        EXPECT_EQ(readBytes(std::string("\xFE\xFF\x00\x41\x00,\xD8\x3D\xDC\x4D", 10), sixteen).rows,
                  (Rows{{"A", "\xF0\x9F\x91\x8D"}}));
        EXPECT_EQ(readBytes(std::string("\x00\x41\x00,\x00\x42", 6), sixteen).rows,
                  (Rows{{"A", "B"}}))
            << "no mark: big-endian";
    }
}

TEST(CSVReader, DecoderErrors) {
    auto withEncoding = [](TextEncoding encoding) {
        CSVReader::Configuration config;
        config.encoding = encoding;
        return config;
    };
    const auto ascii = readBytes("ab,c\xC3", withEncoding(TextEncoding::ascii));
    ASSERT_TRUE(ascii.error);
    EXPECT_EQ(*ascii.error, CSVError::invalidASCII(0xC3));
    EXPECT_EQ(std::get<std::int64_t>(*ascii.error->userInfo("Byte")), 0xC3);

    EXPECT_EQ(
        readBytes(std::string("\x00\x41\x00", 3), withEncoding(TextEncoding::utf16BigEndian)).error,
        CSVError::incompleteUTF16());
    EXPECT_EQ(
        readBytes(std::string("\xDC\x00", 2), withEncoding(TextEncoding::utf16BigEndian)).error,
        CSVError::invalidUTF16());
    EXPECT_EQ(
        readBytes(std::string("\x3D\xD8\x41\x00", 4), withEncoding(TextEncoding::utf16LittleEndian))
            .error,
        CSVError::invalidUTF16());
    EXPECT_EQ(
        readBytes(std::string("\x00\x00\x00\x41\x00", 5), withEncoding(TextEncoding::utf32)).error,
        CSVError::incompleteUTF32());
    EXPECT_EQ(
        readBytes(std::string("\x00\x11\x00\x00", 4), withEncoding(TextEncoding::utf32BigEndian))
            .error,
        CSVError::invalidUTF32());
    const auto latin = readBytes("x", withEncoding(TextEncoding::isoLatin1));
    EXPECT_TRUE(latin.failedAtConstruction);
    EXPECT_EQ(latin.error, CSVError::unsupported("isoLatin1"));

    auto presampled = withEncoding(TextEncoding::isoLatin1);
    presampled.presample = true;
    EXPECT_EQ(readBytes("Caf\xE9", presampled).rows, (Rows{{"Caf\xC3\xA9"}}));
    auto strict = withEncoding(TextEncoding::utf8);
    strict.presample = true;
    EXPECT_EQ(readBytes("ok\nCaf\xE9", strict).error, CSVError::mismatched("utf8"));
}

TEST(CSVError, Descriptions) {
    const CSVError error = CSVError::invalidFieldCount(2, 3, 2);
    EXPECT_EQ(error.shortDescription(), "Invalid input");
    EXPECT_EQ(error.description(),
              "[CSVReader] Invalid input\n\tReason: The number of fields is not constant between "
              "rows.\n\tHelp: Make sure the CSV file has always the same amount of fields per row "
              "(including the header row).\n\tUser info: Row index: 2, Number of parsed fields: 3, "
              "Number of expected fields: 2");
    EXPECT_EQ(CSVError::inferenceUnsupported().shortDescription(), "Invalid configuration");
    EXPECT_EQ(static_cast<int>(CSVError::Type::streamFailure), 4);
    const CSVError escaped = CSVError::invalidEscapedField(0, "b", U'x');
    EXPECT_EQ(escaped.helpAnchor,
              "There seems to be some characters after the escaping character and before the next "
              "field or the end of the row. Please remove those.");
    EXPECT_EQ(
        CSVError::invalidEscapedField(0, "b", U'\r').helpAnchor,
        R"(If your CSV is CRLF, change the row delimiter to "\r\n" or add a trim strategy for "\r".)");
}

TEST(TextEncoding, SelectEncoding) {
    using E = TextEncoding;
    EXPECT_EQ(*selectEncodingFrom(std::nullopt, std::nullopt), E::utf8);
    EXPECT_EQ(*selectEncodingFrom(std::nullopt, E::utf16LittleEndian), E::utf16LittleEndian);
    EXPECT_EQ(*selectEncodingFrom(E::ascii, std::nullopt), E::ascii);
    EXPECT_EQ(*selectEncodingFrom(E::utf8, E::utf8), E::utf8);
    EXPECT_EQ(*selectEncodingFrom(E::unicode, E::utf16BigEndian), E::utf16BigEndian);
    EXPECT_EQ(*selectEncodingFrom(E::utf32, E::utf32LittleEndian), E::utf32LittleEndian);
    const auto mismatch = selectEncodingFrom(E::utf16, E::utf32BigEndian);
    ASSERT_FALSE(mismatch.hasValue());
    EXPECT_EQ(mismatch.error(), CSVError::mismatchedEncoding("utf16", "utf32BigEndian"));
    EXPECT_FALSE(selectEncodingFrom(E::utf16LittleEndian, E::utf16BigEndian).hasValue());
}
