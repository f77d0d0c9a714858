// Whole files as bytes, for tests that compare what the program wrote.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tessary::test {

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteAll(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

// A folder of this test alone, made new and empty (mkdtemp: no other test or process can be given the
// same one, whatever runs at the same time) and removed with all it holds at the end.
class TestFolder {
  public:
    explicit TestFolder(const std::string& prefix) {
        std::string name = prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_";
        for (char& c : name)
            if (c == '/') c = '_';  // parameterised tests are named "Name/0"
        std::string pattern = (std::filesystem::temp_directory_path() / (name + "XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a folder like " << pattern;
        path_ = pattern;
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string at(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace tessary::test
