// Recursive-descent JSON reader.
#include "tests/tools/json_reader.h"

#include <cstdlib>
#include <cstring>

namespace {

const int MAX_DEPTH = 64;

class Reader {
public:
    explicit Reader(const std::string &text) : text_(text) {}

    bool document(JsonValue *value)
    {
        skip_space();
        if (!read_value(value, 0))
            return false;
        skip_space();
        return at_ == text_.size();
    }

    size_t offset() const { return at_; }

private:
    bool more() const { return at_ < text_.size(); }
    char peek() const { return more() ? text_[at_] : '\0'; }

    void skip_space()
    {
        while (more() && strchr(" \t\r\n", text_[at_]))
            at_++;
    }

    bool literal(const char *word)
    {
        size_t length = strlen(word);
        if (text_.compare(at_, length, word) != 0)
            return false;
        at_ += length;
        return true;
    }

    bool read_value(JsonValue *value, int depth)
    {
        if (depth > MAX_DEPTH)
            return false;
        char c = peek();
        if (c == '{')
            return read_object(value, depth);
        if (c == '[')
            return read_array(value, depth);
        if (c == '"') {
            value->type = JsonValue::STRING;
            return read_string(&value->text);
        }
        if (c == '-' || (c >= '0' && c <= '9'))
            return read_number(value);
        if (literal("true") || literal("false")) {
            value->type = JsonValue::BOOLEAN;
            value->boolean = text_[at_ - 4] == 't';
            return true;
        }
        value->type = JsonValue::NUL;
        return literal("null");
    }

    bool read_object(JsonValue *value, int depth)
    {
        value->type = JsonValue::OBJECT;
        at_++;
        skip_space();
        if (peek() == '}') {
            at_++;
            return true;
        }
        for (;;) {
            std::pair<std::string, JsonValue> member;
            skip_space();
            if (peek() != '"' || !read_string(&member.first))
                return false;
            skip_space();
            if (peek() != ':')
                return false;
            at_++;
            skip_space();
            if (!read_value(&member.second, depth + 1))
                return false;
            value->members.push_back(std::move(member));
            skip_space();
            if (peek() == '}') {
                at_++;
                return true;
            }
            if (peek() != ',')
                return false;
            at_++;
        }
    }

    bool read_array(JsonValue *value, int depth)
    {
        value->type = JsonValue::ARRAY;
        at_++;
        skip_space();
        if (peek() == ']') {
            at_++;
            return true;
        }
        for (;;) {
            skip_space();
            value->items.emplace_back();
            if (!read_value(&value->items.back(), depth + 1))
                return false;
            skip_space();
            if (peek() == ']') {
                at_++;
                return true;
            }
            if (peek() != ',')
                return false;
            at_++;
        }
    }

    bool digits()
    {
        size_t start = at_;
        while (peek() >= '0' && peek() <= '9')
            at_++;
        return at_ > start;
    }

    bool read_number(JsonValue *value)
    {
        size_t start = at_;
        if (peek() == '-')
            at_++;
        if (peek() == '0')
            at_++;
        else if (!digits())
            return false;
        bool integral = true;
        if (peek() == '.') {
            at_++;
            integral = false;
            if (!digits())
                return false;
        }
        if (peek() == 'e' || peek() == 'E') {
            at_++;
            integral = false;
            if (peek() == '+' || peek() == '-')
                at_++;
            if (!digits())
                return false;
        }
        std::string number = text_.substr(start, at_ - start);
        value->type = JsonValue::NUMBER;
        value->number = strtod(number.c_str(), nullptr);
        value->integral = integral;
        if (integral)
            value->integer = strtoll(number.c_str(), nullptr, 10);
        return true;
    }

    bool hex4(uint32_t *code)
    {
        if (at_ + 4 > text_.size())
            return false;
        *code = 0;
        for (int i = 0; i < 4; i++) {
            char c = text_[at_++];
            uint32_t digit = c >= '0' && c <= '9' ? uint32_t(c - '0')
                             : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
                             : c >= 'A' && c <= 'F' ? uint32_t(c - 'A' + 10)
                                                    : 16;
            if (digit == 16)
                return false;
            *code = *code * 16 + digit;
        }
        return true;
    }

    static void append_utf8(std::string *out, uint32_t code)
    {
        if (code < 0x80) {
            *out += char(code);
        } else if (code < 0x800) {
            *out += char(0xC0 | (code >> 6));
            *out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            *out += char(0xE0 | (code >> 12));
            *out += char(0x80 | ((code >> 6) & 0x3F));
            *out += char(0x80 | (code & 0x3F));
        } else {
            *out += char(0xF0 | (code >> 18));
            *out += char(0x80 | ((code >> 12) & 0x3F));
            *out += char(0x80 | ((code >> 6) & 0x3F));
            *out += char(0x80 | (code & 0x3F));
        }
    }

    bool read_unicode_escape(std::string *out)
    {
        uint32_t code;
        if (!hex4(&code))
            return false;
        if (code >= 0xDC00 && code <= 0xDFFF)
            return false;
        if (code >= 0xD800 && code <= 0xDBFF) {
            uint32_t low;
            if (!literal("\\u") || !hex4(&low) || low < 0xDC00 || low > 0xDFFF)
                return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        append_utf8(out, code);
        return true;
    }

    bool read_escape(std::string *out)
    {
        char c = peek();
        at_++;
        const char *simple = strchr("\"\\/bfnrt", c);
        if (c && simple) {
            static const char REPLACED[] = "\"\\/\b\f\n\r\t";
            *out += REPLACED[simple - "\"\\/bfnrt"];
            return true;
        }
        return c == 'u' && read_unicode_escape(out);
    }

    // Copies one raw UTF-8 sequence, refusing malformed ones.
    bool read_raw(std::string *out)
    {
        uint8_t lead = uint8_t(text_[at_]);
        size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                      : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0 || at_ + length > text_.size())
            return false;
        uint8_t low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        uint8_t high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        for (size_t i = 1; i < length; i++) {
            uint8_t byte = uint8_t(text_[at_ + i]);
            if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
                return false;
        }
        out->append(text_, at_, length);
        at_ += length;
        return true;
    }

    bool read_string(std::string *out)
    {
        at_++;
        for (;;) {
            if (!more())
                return false;
            unsigned char c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') {
                at_++;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                at_++;
                if (!read_escape(out))
                    return false;
            } else if (!read_raw(out)) {
                return false;
            }
        }
    }

    const std::string &text_;
    size_t at_ = 0;
};

}  // namespace

const JsonValue *JsonValue::find(const std::string &key) const
{
    for (const auto &member : members)
        if (member.first == key)
            return &member.second;
    return nullptr;
}

bool json_parse(const std::string &text, JsonValue *value, size_t *error_offset)
{
    Reader reader(text);
    *value = JsonValue();
    bool ok = reader.document(value);
    if (!ok && error_offset)
        *error_offset = reader.offset();
    return ok;
}
