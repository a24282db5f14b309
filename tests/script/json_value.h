// A strict little JSON reader for the tests of the dump: it refuses what
// RFC 8259 refuses (trailing commas, leading zeros, raw control characters,
// bad escapes, ill-formed UTF-8), keeps the members of an object in order
// and keeps the text of every number, so that "2.3" can be told from "2.30".
// \u escapes of surrogates are refused too: the dump never writes them.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
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
    const JsonValue &operator[](std::size_t i) const { return items.at(i); }
    const JsonValue &operator[](std::string_view key) const {
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
    char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
    unsigned byte(std::size_t k) const {
        return pos_ + k < s_.size() ? static_cast<unsigned char>(s_[pos_ + k]) : 0u;
    }
    bool consume(char c) {
        if (peek() != c) return false;
        ++pos_;
        return true;
    }
    void expect(char c) {
        if (!consume(c)) fail(std::string("expected '") + c + "'");
    }
    void skipSpace() {
        while (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r') ++pos_;
    }
    std::size_t digits() {
        const std::size_t from = pos_;
        while (peek() >= '0' && peek() <= '9') ++pos_;
        return pos_ - from;
    }

    JsonValue value(int depth) {
        if (depth > 64) fail("nested too deeply");
        skipSpace();
        JsonValue v;
        const std::size_t start = pos_;
        for (auto [word, type, truth] : {std::tuple{"null", JsonValue::Type::Null, false},
                                         std::tuple{"true", JsonValue::Type::Bool, true},
                                         std::tuple{"false", JsonValue::Type::Bool, false}}) {
            if (s_.substr(pos_).starts_with(word)) {
                pos_ += std::string_view(word).size();
                v.type = type;
                v.boolean = truth;
                return v;
            }
        }
        if (peek() == '"') {
            v.type = JsonValue::Type::String;
            v.text = string();
        } else if (consume('[') || consume('{')) {
            const bool object = s_[start] == '{';
            v.type = object ? JsonValue::Type::Object : JsonValue::Type::Array;
            const char close = object ? '}' : ']';
            skipSpace();
            if (consume(close)) return v;
            do {
                if (object) {
                    skipSpace();
                    std::string key = string();
                    for (const auto &m : v.members)
                        if (m.first == key) fail("duplicate key " + key);
                    skipSpace();
                    expect(':');
                    v.members.emplace_back(std::move(key), value(depth + 1));
                } else {
                    v.items.push_back(value(depth + 1));
                }
                skipSpace();
            } while (consume(','));
            expect(close);
        } else {
            consume('-');
            if (!consume('0') && digits() == 0) fail("bad value");
            if (consume('.') && digits() == 0) fail("no digits after the point");
            if (consume('e') || consume('E')) {
                if (!consume('+')) consume('-');
                if (digits() == 0) fail("no digits in the exponent");
            }
            v.type = JsonValue::Type::Number;
            v.text = std::string(s_.substr(start, pos_ - start));
            v.number = std::strtod(v.text.c_str(), nullptr);
        }
        return v;
    }

    // Copies one well-formed UTF-8 sequence, or fails.
    void utf8(std::string &out) {
        const unsigned b0 = byte(0);
        std::size_t n = 0;
        unsigned lo = 0x80, hi = 0xBF; // range of the second byte
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            n = 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            n = 3;
            lo = b0 == 0xE0 ? 0xA0 : 0x80;
            hi = b0 == 0xED ? 0x9F : 0xBF;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            n = 4;
            lo = b0 == 0xF0 ? 0x90 : 0x80;
            hi = b0 == 0xF4 ? 0x8F : 0xBF;
        } else {
            fail("ill-formed UTF-8");
        }
        for (std::size_t k = 1; k < n; ++k) {
            const unsigned b = byte(k);
            if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF)) fail("ill-formed UTF-8");
        }
        out.append(s_.substr(pos_, n));
        pos_ += n;
    }

    std::string string() {
        expect('"');
        std::string out;
        for (;;) {
            if (pos_ >= s_.size()) fail("unterminated string");
            const unsigned c = byte(0);
            if (c < 0x20) fail("raw control character in a string");
            if (c >= 0x80) {
                utf8(out);
                continue;
            }
            ++pos_;
            if (c == '"') return out;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            static constexpr std::string_view kEscapes = "\"\"\\\\//b\bf\fn\nr\rt\t";
            const char e = peek();
            ++pos_;
            const std::size_t at = kEscapes.find(e);
            if (e != 'u' && (at == std::string_view::npos || at % 2 != 0)) fail("bad escape");
            if (e != 'u') {
                out += kEscapes[at + 1];
                continue;
            }
            unsigned cp = 0;
            for (int i = 0; i < 4; ++i) {
                const char h = peek();
                ++pos_;
                if (!std::isxdigit(static_cast<unsigned char>(h))) fail("bad \\u escape");
                const auto d = std::string_view("0123456789abcdef").find(std::tolower(h));
                cp = cp * 16 + static_cast<unsigned>(d);
            }
            if (cp >= 0xD800 && cp <= 0xDFFF) fail("surrogate escape");
            if (cp < 0x80) {
                out += static_cast<char>(cp);
            } else if (cp < 0x800) {
                out += static_cast<char>(0xC0 | (cp >> 6));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (cp >> 12));
                out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            }
        }
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

} // namespace transistor::testing
