#pragma once
// Windows-1250 and UTF-8: the program keeps text in UTF-8; data files, the short strings inside
// records and Windows "A" calls use Windows-1250 bytes. One table, used both ways.
#include <string>

namespace cp1250 {

// UTF-8 -> Windows-1250 bytes; characters the code page lacks become '?'.
std::string FromUtf8(const std::string& utf8);
// Windows-1250 bytes -> UTF-8; the undefined bytes (0x81, 0x83, 0x88, 0x90, 0x98) become the C1
// controls U+0081.. as on Windows, so every byte string round-trips.
std::string ToUtf8(const std::string& bytes);
// The first character of a UTF-8 text that the code page lacks (it would be stored as '?'), as
// UTF-8; empty when the whole text survives a round trip.
std::string FirstUnmappable(const std::string& utf8);

}  // namespace cp1250

namespace utf8 {

// Code points of a UTF-8 string; malformed bytes become U+FFFD.
std::u32string Decode(const std::string& text);
std::string Encode(const std::u32string& text);
std::string Encode(char32_t c);
// Number of characters (code points).
size_t Length(const std::string& text);

}  // namespace utf8
