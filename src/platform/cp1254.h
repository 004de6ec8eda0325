// Windows-1254 (Turkish) text.
//
// Inside the program a text is a std::string of Windows-1254 bytes, one byte per
// character, exactly as it stands in the files and on the serial line.  Turkish
// literals are written in the sources as UTF-8 and converted once with cp1254();
// windows convert at their boundary with toUtf8()/cp1254().
#pragma once

#include <string>
#include <string_view>

namespace velkar {

// UTF-8 -> Windows-1254.  A character the code page lacks becomes '?', and so
// does every byte of a malformed UTF-8 sequence.
std::string cp1254(std::string_view utf8);

// Windows-1254 -> UTF-8.  The seven bytes the code page leaves undefined
// (0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E) map to the C1 control of the same
// value, as Windows does, so every byte string survives a round trip.
std::string toUtf8(std::string_view cp);

// The Unicode code point of one Windows-1254 byte.
char32_t cp1254ToUnicode(unsigned char byte);

}  // namespace velkar
