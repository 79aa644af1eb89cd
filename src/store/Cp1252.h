#pragma once

#include <string>
#include <string_view>

// Text of the USDA SR files is Windows code page 1252. This turns it into UTF-8 without relying
// on the codecs the Qt build happens to carry.
class Cp1252
{
public:
    static std::string toUtf8(std::string_view text);
    // The Unicode code point of one CP1252 byte. The five bytes the code page leaves unassigned
    // (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value.
    static char32_t codePoint(unsigned char byte);
};
