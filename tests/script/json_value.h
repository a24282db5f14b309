// A strict little JSON reader for the tests of the dump: it refuses whatever
// RFC 8259 refuses (trailing commas, leading zeros, raw control characters,
// bad escapes, ill-formed UTF-8), keeps the members of an object in order
// and keeps the text of every number, so that "2.3" can be told from "2.30".
#pragma once

#include <cstddef>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace transistor::testing {

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text; // a string's value, or a number's text as written
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    bool isNull() const { return type == Type::Null; }
    const JsonValue &operator[](std::size_t i) const {
        if (type != Type::Array || i >= items.size()) throw std::out_of_range("no item");
        return items[i];
    }
    const JsonValue &operator[](std::string_view key) const {
        if (type != Type::Object) throw std::out_of_range("not an object");
        for (const auto &[k, v] : members)
            if (k == key) return v;
        throw std::out_of_range("no member " + std::string(key));
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> k;
        for (const auto &m : members) k.push_back(m.first);
        return k;
    }
};

class JsonError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class JsonReader {
  public:
    static JsonValue Parse(std::string_view text) {
        JsonReader r(text);
        r.skipSpace();
        JsonValue v = r.value(0);
        r.skipSpace();
        if (r.pos_ != text.size()) r.fail("text after the value");
        return v;
    }

  private:
    explicit JsonReader(std::string_view s) : s_(s) {}

    [[noreturn]] void fail(const std::string &why) const {
        throw JsonError(why + " at offset " + std::to_string(pos_));
    }
    bool atEnd() const { return pos_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[pos_]; }
    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++pos_;
    }
    void skipSpace() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++pos_;
    }
    void literal(std::string_view word) {
        if (s_.substr(pos_, word.size()) != word) fail("bad literal");
        pos_ += word.size();
    }

    JsonValue value(int depth) {
        if (depth > 64) fail("nested too deeply");
        JsonValue v;
        switch (peek()) {
        case 'n':
            literal("null");
            return v;
        case 't':
            literal("true");
            v.type = JsonValue::Type::Bool;
            v.boolean = true;
            return v;
        case 'f':
            literal("false");
            v.type = JsonValue::Type::Bool;
            return v;
        case '"':
            v.type = JsonValue::Type::String;
            v.text = string();
            return v;
        case '[':
            return array(depth);
        case '{':
            return object(depth);
        default:
            return numberValue();
        }
    }

    JsonValue array(int depth) {
        JsonValue v;
        v.type = JsonValue::Type::Array;
        expect('[');
        skipSpace();
        if (peek() == ']') {
            ++pos_;
            return v;
        }
        for (;;) {
            skipSpace();
            v.items.push_back(value(depth + 1));
            skipSpace();
            if (peek() == ']') {
                ++pos_;
                return v;
            }
            expect(',');
        }
    }

    JsonValue object(int depth) {
        JsonValue v;
        v.type = JsonValue::Type::Object;
        expect('{');
        skipSpace();
        if (peek() == '}') {
            ++pos_;
            return v;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"') fail("expected a key");
            std::string key = string();
            for (const auto &m : v.members)
                if (m.first == key) fail("duplicate key " + key);
            skipSpace();
            expect(':');
            skipSpace();
            v.members.emplace_back(std::move(key), value(depth + 1));
            skipSpace();
            if (peek() == '}') {
                ++pos_;
                return v;
            }
            expect(',');
        }
    }

    JsonValue numberValue() {
        const std::size_t start = pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (peek() >= '0' && peek() <= '9') ++pos_;
            return pos_ - from;
        };
        if (peek() == '-') ++pos_;
        if (peek() == '0')
            ++pos_;
        else if (digits() == 0)
            fail("bad value");
        if (peek() == '.') {
            ++pos_;
            if (digits() == 0) fail("no digits after the point");
        }
        if (peek() == 'e' || peek() == 'E') {
            ++pos_;
            if (peek() == '+' || peek() == '-') ++pos_;
            if (digits() == 0) fail("no digits in the exponent");
        }
        JsonValue v;
        v.type = JsonValue::Type::Number;
        v.text = std::string(s_.substr(start, pos_ - start));
        v.number = std::strtod(v.text.c_str(), nullptr);
        return v;
    }

    unsigned hex4() {
        unsigned u = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = peek();
            ++pos_;
            u <<= 4;
            if (c >= '0' && c <= '9')
                u |= c - '0';
            else if (c >= 'a' && c <= 'f')
                u |= c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                u |= c - 'A' + 10;
            else
                fail("bad \\u escape");
        }
        return u;
    }

    static void appendUtf8(std::string &out, unsigned cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Copies one well-formed UTF-8 sequence, or fails.
    void utf8(std::string &out) {
        const auto b = [&](std::size_t k) {
            return pos_ + k < s_.size() ? static_cast<unsigned char>(s_[pos_ + k]) : 0u;
        };
        const unsigned b0 = b(0);
        std::size_t n = 0;
        unsigned lo = 0x80, hi = 0xBF;
        if (b0 >= 0xC2 && b0 <= 0xDF)
            n = 2;
        else if (b0 >= 0xE0 && b0 <= 0xEF)
            n = 3, lo = b0 == 0xE0 ? 0xA0 : 0x80, hi = b0 == 0xED ? 0x9F : 0xBF;
        else if (b0 >= 0xF0 && b0 <= 0xF4)
            n = 4, lo = b0 == 0xF0 ? 0x90 : 0x80, hi = b0 == 0xF4 ? 0x8F : 0xBF;
        else
            fail("ill-formed UTF-8");
        if (!(b(1) >= lo && b(1) <= hi)) fail("ill-formed UTF-8");
        for (std::size_t k = 2; k < n; ++k)
            if (!(b(k) >= 0x80 && b(k) <= 0xBF)) fail("ill-formed UTF-8");
        out.append(s_.substr(pos_, n));
        pos_ += n;
    }

    std::string string() {
        expect('"');
        std::string out;
        for (;;) {
            if (atEnd()) fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(peek());
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c < 0x20) fail("raw control character in a string");
            if (c >= 0x80) {
                utf8(out);
                continue;
            }
            ++pos_;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char e = peek();
            ++pos_;
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned cp = hex4();
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    expect('\\');
                    expect('u');
                    const unsigned low = hex4();
                    if (low < 0xDC00 || low > 0xDFFF) fail("unpaired surrogate");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                    fail("unpaired surrogate");
                }
                appendUtf8(out, cp);
                break;
            }
            default:
                fail("bad escape");
            }
        }
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

} // namespace transistor::testing
