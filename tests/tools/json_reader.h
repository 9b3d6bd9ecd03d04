// A strict JSON reader for checking the output of kanvio-cli: any text that
// is not valid JSON (RFC 8259) is refused.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct JsonValue {
    enum Type { NUL, BOOLEAN, NUMBER, STRING, ARRAY, OBJECT };

    Type type = NUL;
    bool boolean = false;
    double number = 0;
    bool integral = false;  // the number was written without fraction or exponent
    int64_t integer = 0;    // its value when integral
    std::string text;       // UTF-8
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in document order

    // The member with this key, or null when the value is no object or has
    // no such member.
    const JsonValue *find(const std::string &key) const;
};

// Parses the whole text. False, with the byte offset of the fault in
// *error_offset, for anything that is not exactly one JSON value between
// optional white space.
bool json_parse(const std::string &text, JsonValue *value, size_t *error_offset);
