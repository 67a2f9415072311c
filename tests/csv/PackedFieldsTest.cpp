#include "csv/PackedFields.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace keyferry;

// Every field comes back as it went in, whatever its place relative to the kept starts, empty
// or not, and a text holding the separator byte (not UTF-8) too.
TEST(PackedFields, EveryFieldComesBackAsItWentIn) {
    std::vector<std::string> texts;
    for (int i = 0; i < 3 * static_cast<int>(PackedFields::stride) + 5; ++i)
        texts.push_back(i % 3 == 0 ? std::string() : "f" + std::to_string(i) + "\xC3\xA4");
    texts[7] = std::string("a\xFF") + "b";
    texts[16] = "\xFF";
    texts.emplace_back("last");
    PackedFields fields;
    for (const std::string& text : texts)
        fields.append(text);
    ASSERT_EQ(fields.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(fields[i], texts[i]) << "field " << i;

    PackedFields same;
    for (const std::string& text : texts)
        same.append(text);
    EXPECT_EQ(fields, same);
    same.append("");
    EXPECT_FALSE(fields == same) << "one more empty field is another sequence";
}

TEST(PackedFields, OnlyEmptyFieldsAndASingleOne) {
    PackedFields empty;
    for (int i = 0; i < 100; ++i)
        empty.append("");
    EXPECT_EQ(empty.size(), 100u);
    for (std::size_t i = 0; i < empty.size(); ++i)
        EXPECT_EQ(empty[i], "") << i;

    PackedFields one;
    one.append("only");
    EXPECT_EQ(one[0], "only");
}
