// The folder a test writes its files in: new, empty and its own even for two folders of one test with
// the same prefix, and gone with what it holds at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "file_bytes.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

TEST(TestFolderTest, EachFolderIsNewEmptyAndRemovedWithItsFiles) {
    std::optional<test::TestFolder> first(std::in_place, "tessary_folder_");
    test::TestFolder second("tessary_folder_");
    EXPECT_NE(first->path(), second.path());
    for (const auto* f : {&*first, &second}) {
        ASSERT_TRUE(fs::is_directory(f->path()));
        EXPECT_TRUE(fs::is_empty(f->path()));
    }
    test::WriteAll(first->at("a.txt"), "first");
    test::WriteAll(second.at("a.txt"), "second");
    EXPECT_EQ(test::ReadAll(first->at("a.txt")), "first");
    const fs::path gone = first->path();
    first.reset();
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(test::ReadAll(second.at("a.txt")), "second");
}

}  // namespace
}  // namespace tessary
