// The JSON reader the dump tests rely on must refuse what is not JSON.
#include <gtest/gtest.h>

#include "tests/tools/json_reader.h"

namespace {

struct JsonCase {
    std::string text;
    bool valid;
};

class JsonReader : public testing::TestWithParam<JsonCase> {};

TEST_P(JsonReader, AcceptsExactlyValidDocuments)
{
    JsonValue value;
    EXPECT_EQ(json_parse(GetParam().text, &value, nullptr), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, JsonReader,
    testing::Values(JsonCase{R"({"a": [1, -2, 3.5e2, true, false, null], "b": {}})", true},
                    JsonCase{"\"\\u00fc\\ud83d\\ude00 \xC3\xBC\"", true}, JsonCase{" [] ", true},
                    JsonCase{"", false}, JsonCase{"[1,]", false}, JsonCase{"{\"a\" 1}", false},
                    JsonCase{"[01]", false}, JsonCase{"[1] [2]", false}, JsonCase{"\"tab\there\"", false},
                    JsonCase{"\"\\ud800\"", false}, JsonCase{"\"\xFF\"", false}, JsonCase{"\"\xC0\xAF\"", false},
                    JsonCase{"\"\\x41\"", false}, JsonCase{"[1", false}, JsonCase{"tru", false}));

TEST(JsonReaderValues, DecodesEscapesAndKeepsMemberOrder)
{
    JsonValue value;
    ASSERT_TRUE(json_parse(R"({"z": "a\"\\\u0001\u00fc", "a": 12})", &value, nullptr));
    ASSERT_EQ(value.members.size(), 2u);
    EXPECT_EQ(value.members[0].first, "z");
    EXPECT_EQ(value.members[0].second.text, "a\"\\\x01\xC3\xBC");
    EXPECT_EQ(value.find("a")->integer, 12);
    EXPECT_TRUE(value.find("a")->integral);
}

}  // namespace
