#include "store/Cp1252.h"

namespace {
// Code points of the bytes 0x80..0x9F; every other byte is the code point of the same value.
constexpr char16_t HighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}
} // namespace

char32_t Cp1252::codePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return HighTable[byte - 0x80];
    return byte;
}

std::string Cp1252::toUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out.push_back(c);
        else
            appendUtf8(out, codePoint(byte));
    }
    return out;
}
