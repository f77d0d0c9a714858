// Internal helpers of the text files: opening by path (wide names on Windows), a path as UTF-8 text
// for messages, and the system's reason for the last failure. Not for use outside platform/text.
#pragma once

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace tessary::detail {

inline std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

inline std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// ": reason" from errno, or nothing when errno holds no error.
inline std::string Reason(int error) {
    if (error == 0) return std::string();
    return ": " + std::generic_category().message(error);
}

}  // namespace tessary::detail
