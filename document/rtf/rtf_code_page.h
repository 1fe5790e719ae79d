// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

// Windows code page 1252, the code page RTF files declare with \ansicpg1252.
namespace quillory::doc::rtf {

/// The characters of code page 1252 that differ from Latin-1 (bytes 0x80 to 0x9F).
inline constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

/// The character a code-page byte stands for.
constexpr char16_t fromWindows1252(uchar byte)
{
    return byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char16_t(byte);
}

/// The code-page byte of a UTF-16 unit, or '?' when the code page has no such character.
constexpr uchar toWindows1252(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return uchar(unit);
    for (int i = 0; i < 32; ++i) {
        if (Windows1252High[i] == unit)
            return uchar(0x80 + i);
    }
    return uchar('?');
}

} // namespace quillory::doc::rtf
