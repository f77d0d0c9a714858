// The extension rule of the file dialogs.
#include <gtest/gtest.h>

#include "files/file_names.h"

namespace tessary {
namespace {

struct NameCase {
    const char* chosen;
    const char* extension;
    const char* file;
    const char* title;
};

TEST(FileNames, ExtensionRule) {
    const NameCase cases[] = {
        {"run1", ".tsy", "run1.tsy", "run1"},   {"run1.tsy", ".tsy", "run1.tsy", "run1"},
        {"RUN1.TSY", ".tsy", "RUN1.TSY", "RUN1.TSY"}, {"notes.txt", ".tsy", "notes.txt", "notes.txt"},
        {"a.b", ".tsy", "a.b.tsy", "a.b"},      {"x.gz", ".tsy", "x.gz.tsy", "x.gz"},
        {"abc", ".txt", "abc.txt", "abc"},      {"data.rix", ".rix", "data.rix", "data"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.chosen);
        const CompletedName n = CompleteFileName(c.chosen, c.extension);
        EXPECT_EQ(n.file, c.file);
        EXPECT_EQ(n.title, c.title);
        EXPECT_EQ(n.extensionAdded, n.file != c.chosen);
    }
}

}  // namespace
}  // namespace tessary
