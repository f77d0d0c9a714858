// The File menu's data-file, text-export and batch commands, not built yet: each says so in a plain
// message instead of doing nothing, and refuses with a beep while a run has the inputs locked.
#include <string>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

struct FileCommand {
    const char* name;
    Menu Form1::*item;
    const char* prompt;
};

const std::vector<FileCommand>& Commands() {
    static const std::vector<FileCommand> commands{
        {"read", &Form1::mnuRead, "This version of Tessary cannot read results files yet."},
        {"save", &Form1::mnuSave, "This version of Tessary cannot save results files yet."},
        {"save text", &Form1::mnuSaveText, "This version of Tessary cannot save results as text files yet."},
        {"batch", &Form1::mnuBatchFile, "This version of Tessary cannot read batch files yet."},
    };
    return commands;
}

TEST_F(Form1Test, FileCommandsSayTheyAreNotAvailableYet) {
    Form1& f = started();
    for (const FileCommand& c : Commands()) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const int beeps = runtime.beepCount();
        (f.*c.item).trigger();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, c.prompt);
        EXPECT_EQ(messages.last().title, "Tessary");
        EXPECT_EQ(messages.last().style, mb::kOkOnly | mb::kInformation);
        EXPECT_EQ(runtime.beepCount(), beeps);
    }
    EXPECT_FALSE(f.mnuBatchFile.checked());  // no batch mode starts
    EXPECT_EQ(f.saveFileType, 0);
}

TEST_F(Form1Test, FileCommandsRefuseWhileTheInputsAreLocked) {
    Form1& f = started();
    f.LockON();
    for (const FileCommand& c : Commands()) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const int beeps = runtime.beepCount();
        (f.*c.item).trigger();
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_EQ(runtime.beepCount(), beeps + 1);
    }
    f.LockOFF();
}

}  // namespace
}  // namespace tessary
