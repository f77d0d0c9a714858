// Character encodings of the program's text files: texts are held as UTF-8; files are read as UTF-8
// and, when their bytes are not valid UTF-8, as Windows-1252 (files written by older versions).
#pragma once

#include <string>
#include <string_view>

namespace tessary {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes that code page leaves undefined (81, 8D, 8F, 90, 9D
// hex) become the control characters of the same number.
std::string Windows1252ToUtf8(std::string_view bytes);

// The text of a file's bytes: a leading UTF-8 byte-order mark is dropped; valid UTF-8 is kept as it
// is; anything else is taken as Windows-1252 and converted.
std::string DecodeFileText(std::string_view bytes);

// Number of characters (code points) in UTF-8 text: every byte that does not continue a sequence.
std::size_t Utf8Length(std::string_view text);

}  // namespace tessary
