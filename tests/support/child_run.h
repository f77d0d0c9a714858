// Runs this test binary again as a child with TESSARY_THREADS set, for results that must not depend
// on the thread count: the child runs the one test named, which writes its results to the file
// TESSARY_RESULTS_FILE names. The file's bytes come back (empty when the child wrote none).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "file_bytes.h"

namespace tessary::test {

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `errors`, when given, receives the child's standard error.
inline std::string RunSelfWithThreads(const std::string& test, const std::string& threads,
                                      std::string* errors = nullptr) {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const TestFolder folder("tessary_child_");
    const std::string base = folder.at("child");
    const std::string command = "QT_QPA_PLATFORM=offscreen TESSARY_THREADS='" + threads +
                                "' TESSARY_RESULTS_FILE='" + base + ".bin' '" +
                                std::string(self, static_cast<std::size_t>(n > 0 ? n : 0)) +
                                "' --gtest_filter=" + test + " >/dev/null 2>'" + base + ".err'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::string results = ReadWholeFile(base + ".bin");
    if (errors != nullptr) *errors = ReadWholeFile(base + ".err");
    return results;
}

}  // namespace tessary::test
