// What saving keeps of the file it saves over: its permissions and owner, and symbolic links, which
// are written through to the file they name and stay links; links that lead nowhere are refused
// with a message and change nothing.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "platform/text/text_file.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

enum class Writer { OneGo, Report };
const char* Name(Writer kind) { return kind == Writer::OneGo ? "one go" : "report"; }

using Links = std::vector<std::pair<std::string, std::string>>;  // (at, to); a save goes to the first

class SavedFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::canonical(folder_.path());  // the messages show the folder with its links followed
        Reset();
    }
    // An empty test folder but for the folders a and b, and a/keep.txt.
    void Reset() const {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(dir_)) entries.push_back(entry.path());
        for (const fs::path& entry : entries) fs::remove_all(entry);
        fs::create_directories(dir_ / "b");
        WriteBytes(dir_ / "a" / "keep.txt", "keep");
    }
    static std::string ReadBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const fs::path& path, const std::string& bytes, mode_t mode = 0) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        if (mode != 0) fs::permissions(path, static_cast<fs::perms>(mode));
    }
    static mode_t ModeOf(const fs::path& path) { return static_cast<mode_t>(fs::status(path).permissions()); }
    static mode_t UsualMode() {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }
    // Everything below the test folder, links included, to see that nothing else was made or left.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir_))
            names.push_back(entry.path().lexically_relative(dir_).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Makes the links ("@" in a target stands for the test folder) and returns them as made.
    Links MakeLinks(Links links) const {
        for (auto& [at, to] : links) {
            if (to[0] == '@') to = dir_.string() + to.substr(1);
            fs::create_symlink(to, dir_ / at);
        }
        return links;
    }
    void ExpectLinks(const Links& links) const {
        for (const auto& [at, to] : links) {
            std::error_code ec;  // not a link: an empty path
            EXPECT_EQ(fs::read_symlink(dir_ / at, ec).string(), to) << at;
        }
    }
    // Saves "new" CR LF to `target` with the writer of the kind given.
    static FileResult Save(Writer kind, const fs::path& target) {
        TextFileWriter writer = kind == Writer::OneGo ? TextFileWriter::CreateOneGo(target)
                                                      : TextFileWriter::CreateReport(target);
        writer.PrintLine("new");
        if (kind == Writer::Report) writer.EndBlock();
        return writer.Close();
    }

    test::TestFolder folder_{"tessary_saved_"};
    fs::path dir_;
};

TEST_F(SavedFileTest, SavingOverAFileKeepsItsOwnerWhereAllowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "only an administrator can give a file another owner";
    const fs::path target = dir_ / "theirs.tsy";
    WriteBytes(target, "old\r\n");
    ASSERT_EQ(::chown(target.c_str(), 1, 2), 0);
    ASSERT_TRUE(Save(Writer::OneGo, target).ok());
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1u);
    EXPECT_EQ(st.st_gid, 2u);
}

// The bytes go to the file the links lead to, which keeps its permissions (a new file gets the usual
// ones); the links stay as they were and no other file is left.
TEST_F(SavedFileTest, SavesKeepPermissionsAndWriteThroughSymbolicLinks) {
    const struct {
        const char* name;
        Links links;
        const char* file;  // where the bytes go
        mode_t mode;       // of the file there before the save; 0: no file
    } cases[] = {
        {"no link", {}, "b/data.tsy", 0400},
        {"relative, from the link's folder", {{"a/link.tsy", "../b/data.tsy"}}, "b/data.tsy", 0600},
        {"absolute", {{"a/link.tsy", "@/b/data.tsy"}}, "b/data.tsy", 0640},
        {"chain", {{"a/link.tsy", "link2.tsy"}, {"a/link2.tsy", "../b/data.tsy"}}, "b/data.tsy", 0600},
        {"dangling", {{"a/link.tsy", "../b/new.tsy"}}, "b/new.tsy", 0},
    };
    for (const Writer kind : {Writer::OneGo, Writer::Report}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(Name(kind)) + ", " + c.name);
            Reset();
            if (c.mode != 0) WriteBytes(dir_ / c.file, "old\r\n", c.mode);
            const Links links = MakeLinks(c.links);
            std::vector<std::string> after = Entries();
            if (c.mode == 0) after.push_back(c.file);
            std::sort(after.begin(), after.end());

            const FileResult result = Save(kind, dir_ / (links.empty() ? c.file : links[0].first));
            ASSERT_TRUE(result.ok()) << result.message;
            EXPECT_EQ(ReadBytes(dir_ / c.file), "new\r\n");
            EXPECT_EQ(ModeOf(dir_ / c.file), c.mode != 0 ? c.mode : UsualMode());
            ExpectLinks(links);
            EXPECT_EQ(Entries(), after);
        }
    }
}

TEST_F(SavedFileTest, LinksThatLeadNowhereAreRefusedAndChangeNothing) {
    const std::string d = dir_.string() + "/", create = "Cannot create the file " + d + "link.tsy";
    const std::string noFolder =
        create + ", a symbolic link to " + d + "gone/new.tsy, whose folder does not exist";
    const std::string isFolder = std::generic_category().message(EISDIR);  // in the locale's language
    const Links toGone{{"link.tsy", "gone/new.tsy"}}, toFolder{{"link.tsy", "a"}},
        loop{{"link.tsy", "x.tsy"}, {"x.tsy", "link.tsy"}};
    const struct {
        Writer kind;
        Links links;
        FileStatus status;
        std::string message;
    } cases[] = {
        {Writer::OneGo, toGone, FileStatus::CannotOpen, noFolder},
        {Writer::Report, toGone, FileStatus::CannotOpen, noFolder},
        {Writer::OneGo, loop, FileStatus::CannotOpen, create + ": its symbolic links form a loop"},
        {Writer::OneGo, toFolder, FileStatus::WriteFailed,
         "Cannot write the file " + d + "link.tsy: " + isFolder},
        {Writer::Report, toFolder, FileStatus::CannotOpen,
         create + ", a symbolic link to " + d + "a: " + isFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Name(c.kind)) + ": " + c.message);
        Reset();
        const Links links = MakeLinks(c.links);
        const std::vector<std::string> before = Entries();

        const FileResult result = Save(c.kind, dir_ / links[0].first);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(Entries(), before);
        ExpectLinks(links);
    }
}

TEST_F(SavedFileTest, FailedSaveThroughALinkLeavesItsFileAsItWas) {
    const fs::path file = dir_ / "b" / "data.tsy";
    WriteBytes(file, "old\r\n", 0600);
    const Links links = MakeLinks({{"a/link.tsy", "../b/data.tsy"}});
    const std::vector<std::string> before = Entries();

    TextFileWriter writer = TextFileWriter::CreateOneGo(dir_ / "a" / "link.tsy");
    ASSERT_TRUE(writer.Status().ok());
    // The temporary file lies beside the file it replaces, so that the rename cannot cross devices.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "b"), fs::directory_iterator()), 2);
    writer.PrintLine("new", kZone, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(writer.Close().status, FileStatus::NotFinite);
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_EQ(ModeOf(file), 0600u);
    ExpectLinks(links);
    EXPECT_EQ(Entries(), before);

    TextFileWriter abandoned = TextFileWriter::CreateOneGo(dir_ / "a" / "link.tsy");
    abandoned.PrintLine("half");
    abandoned.Abandon();
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_EQ(Entries(), before);
}

}  // namespace
}  // namespace tessary

#endif  // _WIN32
