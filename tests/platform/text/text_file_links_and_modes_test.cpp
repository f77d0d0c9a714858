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
#include <vector>

#include "platform/text/text_file.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

enum class Writer { OneGo, Report };

const char* Name(Writer kind) { return kind == Writer::OneGo ? "one go" : "report"; }

class SavedFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               (std::string("tessary_saved_") + info->name() + "_" + std::to_string(::getpid()) + "_" +
                std::to_string(std::random_device{}()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        dir_ = fs::canonical(dir_);  // the messages show the folder with its links followed
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    static std::string ReadBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    static mode_t ModeOf(const fs::path& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }
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
    // Saves "new" CR LF to `target` with the writer of the kind given.
    static FileResult Save(Writer kind, const fs::path& target) {
        TextFileWriter writer = kind == Writer::OneGo ? TextFileWriter::CreateOneGo(target)
                                                      : TextFileWriter::CreateReport(target);
        writer.PrintLine("new");
        if (kind == Writer::Report) writer.EndBlock();
        return writer.Close();
    }

    fs::path dir_;
};

TEST_F(SavedFileTest, SavingOverAFileKeepsItsPermissions) {
    const struct {
        Writer kind;
        mode_t mode;
    } cases[] = {
        {Writer::OneGo, 0600}, {Writer::OneGo, 0640},  {Writer::OneGo, 0400},  {Writer::OneGo, 0700},
        {Writer::OneGo, 0604}, {Writer::Report, 0600}, {Writer::Report, 0640},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Name(c.kind)) + " " + std::to_string(c.mode));
        const fs::path target = dir_ / (std::to_string(++n) + ".tsy");
        WriteBytes(target, "old\r\n");
        fs::permissions(target, static_cast<fs::perms>(c.mode));
        ASSERT_TRUE(Save(c.kind, target).ok());
        EXPECT_EQ(ReadBytes(target), "new\r\n");
        EXPECT_EQ(ModeOf(target), c.mode);
    }
    ASSERT_EQ(Entries().size(), std::size(cases));  // no temporary file left

    for (const Writer kind : {Writer::OneGo, Writer::Report}) {
        const fs::path fresh = dir_ / (std::string("fresh ") + Name(kind));
        ASSERT_TRUE(Save(kind, fresh).ok());
        EXPECT_EQ(ModeOf(fresh), UsualMode()) << Name(kind);
    }
}

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

TEST_F(SavedFileTest, SavesWriteThroughSymbolicLinks) {
    struct Link {
        const char* at;
        const char* to;  // "@" stands for the test folder
    };
    const struct {
        const char* name;
        std::vector<Link> links;  // the first is the one saved to
        const char* file;         // where the bytes go
        bool exists;              // the file is there before the save (as 0600)
    } cases[] = {
        {"same folder", {{"link.tsy", "data.tsy"}}, "data.tsy", true},
        {"other folder", {{"a/link.tsy", "../b/data.tsy"}}, "b/data.tsy", true},
        {"absolute", {{"a/link.tsy", "@/b/data.tsy"}}, "b/data.tsy", true},
        {"chain", {{"a/link.tsy", "link2.tsy"}, {"a/link2.tsy", "../b/data.tsy"}}, "b/data.tsy", true},
        {"dangling", {{"a/link.tsy", "../b/new.tsy"}}, "b/new.tsy", false},
    };
    for (const Writer kind : {Writer::OneGo, Writer::Report}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(Name(kind)) + ", " + c.name);
            fs::remove_all(dir_);
            fs::create_directories(dir_ / "a");
            fs::create_directories(dir_ / "b");
            if (c.exists) {
                WriteBytes(dir_ / c.file, "old\r\n");
                fs::permissions(dir_ / c.file, fs::perms::owner_read | fs::perms::owner_write);
            }
            std::vector<std::string> texts;
            for (const Link& link : c.links) {
                std::string to = link.to;
                if (to[0] == '@') to = dir_.string() + to.substr(1);
                fs::create_symlink(to, dir_ / link.at);
                texts.push_back(to);
            }
            const std::vector<std::string> before = Entries();

            const FileResult result = Save(kind, dir_ / c.links[0].at);
            ASSERT_TRUE(result.ok()) << result.message;
            EXPECT_EQ(ReadBytes(dir_ / c.file), "new\r\n");
            EXPECT_EQ(ModeOf(dir_ / c.file), c.exists ? 0600 : UsualMode());
            for (std::size_t i = 0; i < c.links.size(); ++i) {
                ASSERT_TRUE(fs::is_symlink(dir_ / c.links[i].at)) << c.links[i].at;
                EXPECT_EQ(fs::read_symlink(dir_ / c.links[i].at).string(), texts[i]);
            }
            std::vector<std::string> after = before;
            if (!c.exists) after.push_back(c.file);
            std::sort(after.begin(), after.end());
            EXPECT_EQ(Entries(), after);
        }
    }
}

TEST_F(SavedFileTest, LinksThatLeadNowhereAreRefusedAndChangeNothing) {
    const std::string d = dir_.string();
    const std::string isFolder = std::generic_category().message(EISDIR);  // in the locale's language
    const struct {
        const char* name;
        Writer kind;
        std::vector<std::pair<const char*, const char*>> links;  // the first is the one saved to
        FileStatus status;
        std::string message;
    } cases[] = {
        {"folder missing",
         Writer::OneGo,
         {{"link.tsy", "gone/new.tsy"}},
         FileStatus::CannotOpen,
         "Cannot create the file " + d + "/link.tsy, a symbolic link to " + d +
             "/gone/new.tsy, whose folder does not exist"},
        {"folder missing",
         Writer::Report,
         {{"link.mut", "gone/new.mut"}},
         FileStatus::CannotOpen,
         "Cannot create the file " + d + "/link.mut, a symbolic link to " + d +
             "/gone/new.mut, whose folder does not exist"},
        {"loop",
         Writer::OneGo,
         {{"a.tsy", "b.tsy"}, {"b.tsy", "a.tsy"}},
         FileStatus::CannotOpen,
         "Cannot create the file " + d + "/a.tsy: its symbolic links form a loop"},
        {"loop",
         Writer::Report,
         {{"a.mut", "b.mut"}, {"b.mut", "a.mut"}},
         FileStatus::CannotOpen,
         "Cannot create the file " + d + "/a.mut: its symbolic links form a loop"},
        {"link to itself",
         Writer::OneGo,
         {{"self.tsy", "self.tsy"}},
         FileStatus::CannotOpen,
         "Cannot create the file " + d + "/self.tsy: its symbolic links form a loop"},
        {"link to a folder",
         Writer::OneGo,
         {{"link.tsy", "folder"}},
         FileStatus::WriteFailed,
         "Cannot write the file " + d + "/link.tsy: " + isFolder},
        {"link to a folder",
         Writer::Report,
         {{"link.mut", "folder"}},
         FileStatus::CannotOpen,
         "Cannot create the file " + d + "/link.mut, a symbolic link to " + d + "/folder: " + isFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Name(c.kind)) + ", " + c.name);
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "folder");
        WriteBytes(dir_ / "folder" / "keep.txt", "keep");
        for (const auto& [at, to] : c.links) fs::create_symlink(to, dir_ / at);
        const std::vector<std::string> before = Entries();

        const FileResult result = Save(c.kind, dir_ / c.links[0].first);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(Entries(), before);
        for (const auto& [at, to] : c.links) {
            ASSERT_TRUE(fs::is_symlink(dir_ / at)) << at;
            EXPECT_EQ(fs::read_symlink(dir_ / at).string(), to);
        }
        EXPECT_EQ(ReadBytes(dir_ / "folder" / "keep.txt"), "keep");
    }
}

TEST_F(SavedFileTest, FailedSaveThroughALinkLeavesItsFileAsItWas) {
    const fs::path file = dir_ / "b" / "data.tsy";
    const fs::path link = dir_ / "a" / "link.tsy";
    WriteBytes(file, "old\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(link.parent_path());
    fs::create_symlink("../b/data.tsy", link);
    const std::vector<std::string> before = Entries();

    TextFileWriter writer = TextFileWriter::CreateOneGo(link);
    ASSERT_TRUE(writer.Status().ok());
    // The temporary file lies beside the file it replaces, so that the rename cannot cross devices.
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(link.parent_path()), fs::directory_iterator()), 1);
    writer.PrintLine("new", kZone, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(writer.Close().status, FileStatus::NotFinite);
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_EQ(ModeOf(file), 0600u);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Entries(), before);

    TextFileWriter abandoned = TextFileWriter::CreateOneGo(link);
    abandoned.PrintLine("half");
    abandoned.Abandon();
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_EQ(Entries(), before);
}

}  // namespace
}  // namespace tessary

#endif  // _WIN32
