#pragma once
// Code page 1251 at the file boundary; UTF-8 in memory.
#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara {

// A character outside code page 1251 becomes "?"; invalid UTF-8 bytes too.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);
// The first `chars` characters of a UTF-8 text.
std::string Utf8Left(std::string_view utf8, std::size_t chars);

}  // namespace kelvara
