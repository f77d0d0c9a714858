// The writer of sequential text files: print items and zones, files written in one go through a
// temporary file renamed over the target, and the batch report appended and flushed block by block.
// Both write through symbolic links, and a one-go file keeps the permissions and owner of the file it
// replaces.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "platform/text/file_access.h"
#include "platform/text/text_encoding.h"
#include "platform/text/text_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessary {
namespace {

constexpr int kZoneWidth = 14;
constexpr std::size_t kPendingLimit = 1 << 16;  // one-go files hand text to the file in chunks of this
constexpr int kTempAttempts = 32;
constexpr int kMaxLinks = 40;  // symbolic links followed before they count as a loop, as Linux does

namespace fs = std::filesystem;

// The file a save to `target` writes: `target` itself, or the path its chain of symbolic links ends
// at (which need not exist yet). Replacing the link itself would turn it into a plain file.
struct Destination {
    fs::path path;
    std::string failure;  // ": why", when the links cannot be followed
};

Destination FollowLinks(const fs::path& target) {
    fs::path path = target;
    for (int followed = 0; followed <= kMaxLinks; ++followed) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return {path, {}};
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) return {{}, ": " + ec.message()};
        path = path.parent_path() / link;  // a relative link is read from the link's own folder
    }
    return {{}, ": its symbolic links form a loop"};
}

// A path as the user can find it: absolute, with the links of its folders followed and no "..".
std::string ShownPath(const fs::path& path) {
    std::error_code ec;
    const fs::path shown = fs::weakly_canonical(path, ec);
    return detail::PathText(ec ? path : shown);
}

// Gives a one-go file, before anything is written to it, the permissions of the file it is to
// replace, and its owner and group where the system allows it (an ordinary user may keep only a
// group of their own); the set-user-ID and set-group-ID bits go when their owner or group cannot be
// kept. No file to replace: the file keeps the usual permissions it was created with. A file
// system without permissions (EPERM, ENOTSUP) is no failure. Returns false with errno set on failure.
bool KeepModeAndOwner([[maybe_unused]] std::FILE* file, [[maybe_unused]] const fs::path& replaced) {
#ifdef _WIN32
    return true;
#else
    struct stat old {};
    if (::stat(replaced.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return true;
    const int fd = fileno(file);
    mode_t mode = old.st_mode & 07777;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        mode &= ~static_cast<mode_t>(S_ISUID);
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) mode &= ~static_cast<mode_t>(S_ISGID);
    }
    errno = 0;
    return ::fchmod(fd, mode) == 0 || errno == EPERM || errno == ENOTSUP;
#endif
}

// Forces the file's data to the storage device, so the rename never publishes an empty file.
bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::string HexText(std::uint64_t v) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = kHex[v & 0xF];
    return s;
}

}  // namespace

TextFileWriter::TextFileWriter(Kind kind, const std::filesystem::path& target, OpenWriters* openWriters)
    : kind_(kind), target_(target) {
    const Destination destination = FollowLinks(target_);
    if (!destination.failure.empty()) {
        Fail(FileStatus::CannotOpen,
             "Cannot create the file " + detail::PathText(target_) + destination.failure);
        return;
    }
    destination_ = destination.path;
    if (kind_ == Kind::Report) {
        errno = 0;
        file_ = detail::OpenFile(destination_, "wb");
        if (!file_) {
            Fail(FileStatus::CannotOpen, CannotCreate(errno));
            return;
        }
    } else {
        // A fresh name beside the file to replace, created exclusively so that no other file is
        // overwritten.
        const std::filesystem::path folder = destination_.parent_path();
        const std::string name = detail::PathText(destination_.filename());
        std::uint64_t seed =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
            reinterpret_cast<std::uintptr_t>(this);
        int error = 0;
        for (int attempt = 0; attempt < kTempAttempts && !file_; ++attempt) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;  // Knuth's MMIX LCG
            const std::string tempName = "~" + name + "." + HexText(seed) + ".tmp";
            temp_ = folder / std::filesystem::path(std::u8string(tempName.begin(), tempName.end()));
            errno = 0;
            file_ = detail::OpenFile(temp_, "wbx");
            error = errno;
            if (!file_ && error != EEXIST) break;
        }
        if (file_ && !KeepModeAndOwner(file_, destination_)) {
            error = errno;
            std::fclose(file_);
            file_ = nullptr;
            std::error_code ec;
            std::filesystem::remove(temp_, ec);
        }
        if (!file_) {
            temp_.clear();
            Fail(FileStatus::CannotOpen, CannotCreate(error));
            return;
        }
    }
    openWriters_ = openWriters;
    if (openWriters_) openWriters_->Add(this);
}

TextFileWriter TextFileWriter::CreateOneGo(const std::filesystem::path& target, OpenWriters* openWriters) {
    return TextFileWriter(Kind::OneGo, target, openWriters);
}

TextFileWriter TextFileWriter::CreateReport(const std::filesystem::path& target, OpenWriters* openWriters) {
    return TextFileWriter(Kind::Report, target, openWriters);
}

TextFileWriter::TextFileWriter(TextFileWriter&& other) noexcept
    : kind_(other.kind_),
      target_(std::move(other.target_)),
      destination_(std::move(other.destination_)),
      temp_(std::move(other.temp_)),
      file_(other.file_),
      pending_(std::move(other.pending_)),
      reportBytes_(other.reportBytes_),
      column_(other.column_),
      status_(std::move(other.status_)),
      openWriters_(other.openWriters_) {
    other.file_ = nullptr;
    other.openWriters_ = nullptr;
    if (openWriters_) openWriters_->Replace(&other, this);
}

TextFileWriter& TextFileWriter::operator=(TextFileWriter&& other) noexcept {
    if (this == &other) return *this;
    Abandon();
    kind_ = other.kind_;
    target_ = std::move(other.target_);
    destination_ = std::move(other.destination_);
    temp_ = std::move(other.temp_);
    file_ = other.file_;
    pending_ = std::move(other.pending_);
    reportBytes_ = other.reportBytes_;
    column_ = other.column_;
    status_ = std::move(other.status_);
    openWriters_ = other.openWriters_;
    other.file_ = nullptr;
    other.openWriters_ = nullptr;
    if (openWriters_) openWriters_->Replace(&other, this);
    return *this;
}

TextFileWriter::~TextFileWriter() { Abandon(); }

// ---------------------------------------------------------------------------------------------

TextFileWriter& TextFileWriter::Text(std::string_view utf8) {
    Append(utf8);
    return *this;
}

TextFileWriter& TextFileWriter::Number(double v) {
    if (!std::isfinite(v)) {
        if (Writable())
            Fail(FileStatus::NotFinite,
                 "The value " + CStr(v) + " cannot be written to the file " + detail::PathText(target_));
        return *this;
    }
    Append(PrintText(v));
    return *this;
}

TextFileWriter& TextFileWriter::Number(float v) {
    if (!std::isfinite(v)) return Number(static_cast<double>(v));
    Append(PrintText(v));
    return *this;
}

TextFileWriter& TextFileWriter::Tab() {
    Append("\t");
    return *this;
}

TextFileWriter& TextFileWriter::NextZone() {
    // The next zone start strictly after the current column, so items never touch.
    const int next = (column_ / kZoneWidth + 1) * kZoneWidth;
    Append(std::string(static_cast<std::size_t>(next - column_), ' '));
    return *this;
}

TextFileWriter& TextFileWriter::EndLine() {
    Append("\r\n");
    return *this;
}

// ---------------------------------------------------------------------------------------------

FileResult TextFileWriter::EndBlock() {
    if (!Writable() || kind_ != Kind::Report) return status_;
    const std::uintmax_t blockEnd = reportBytes_ + pending_.size();
    if (WritePending() && std::fflush(file_) != 0)
        Fail(FileStatus::WriteFailed,
             "Cannot write the file " + detail::PathText(target_) + detail::Reason(errno));
    if (status_.ok()) {
        reportBytes_ = blockEnd;
        return status_;
    }
    // The block was cut: the part of it that reached the file is cut off again, so the report ends
    // with its last whole block, as when it is abandoned.
    std::fclose(file_);
    file_ = nullptr;
    std::error_code ec;
    if (std::filesystem::is_regular_file(destination_, ec))
        std::filesystem::resize_file(destination_, reportBytes_, ec);
    Unregister();
    return status_;
}

FileResult TextFileWriter::Close() {
    if (!file_) {
        Unregister();
        return status_;
    }
    bool ok = status_.ok() && WritePending();
    errno = 0;
    if (ok && std::fflush(file_) != 0) ok = false;
    if (ok && kind_ == Kind::OneGo && !SyncToDisk(file_)) ok = false;
    int error = errno;
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        error = errno;
    }
    file_ = nullptr;
    if (!ok && status_.ok())
        Fail(FileStatus::WriteFailed,
             "Cannot write the file " + detail::PathText(target_) + detail::Reason(error));
    if (kind_ == Kind::OneGo) {
        std::error_code ec;
        if (ok) {
            std::filesystem::rename(temp_, destination_, ec);
            if (ec)
                Fail(FileStatus::WriteFailed,
                     "Cannot write the file " + detail::PathText(target_) + ": " + ec.message());
        }
        if (!status_.ok()) std::filesystem::remove(temp_, ec);
    }
    pending_.clear();
    Unregister();
    return status_;
}

void TextFileWriter::Abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        if (kind_ == Kind::OneGo) {
            std::error_code ec;
            std::filesystem::remove(temp_, ec);
        }
        pending_.clear();
        if (status_.ok())
            status_ = {FileStatus::NotOpen,
                       "The file " + detail::PathText(target_) + " was closed before it was complete"};
    }
    Unregister();
}

// ---------------------------------------------------------------------------------------------

bool TextFileWriter::Writable() {
    if (!status_.ok()) return false;
    if (!file_) {
        status_ = {FileStatus::NotOpen, "The file " + detail::PathText(target_) + " is not open"};
        return false;
    }
    return true;
}

void TextFileWriter::Append(std::string_view bytes) {
    if (!Writable()) return;
    pending_ += bytes;
    for (const char ch : bytes) {
        if (ch == '\r' || ch == '\n')
            column_ = 0;
        else if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80)  // count characters, not UTF-8 bytes
            ++column_;
    }
    if (kind_ == Kind::OneGo && pending_.size() >= kPendingLimit) WritePending();
}

bool TextFileWriter::WritePending() {
    if (pending_.empty()) return true;
    errno = 0;
    const std::size_t written = std::fwrite(pending_.data(), 1, pending_.size(), file_);
    if (written != pending_.size()) {
        Fail(FileStatus::WriteFailed,
             "Cannot write the file " + detail::PathText(target_) + detail::Reason(errno));
        return false;
    }
    pending_.clear();
    return true;
}

std::string TextFileWriter::CannotCreate(int error) const {
    std::string message = "Cannot create the file " + detail::PathText(target_);
    if (destination_ == target_) return message + detail::Reason(error);
    message += ", a symbolic link to " + ShownPath(destination_);
    if (error == ENOENT) return message + ", whose folder does not exist";
    return message + detail::Reason(error);
}

void TextFileWriter::Fail(FileStatus status, std::string message) {
    if (status_.ok()) status_ = {status, std::move(message)};
}

void TextFileWriter::Unregister() {
    if (openWriters_) openWriters_->Remove(this);
    openWriters_ = nullptr;
}

// ---------------------------------------------------------------------------------------------

void OpenWriters::AbandonAll() {
    // Abandon() removes each writer from the list; take them from the back.
    while (!writers_.empty()) writers_.back()->Abandon();
}

void OpenWriters::Remove(const TextFileWriter* writer) {
    writers_.erase(std::remove(writers_.begin(), writers_.end(), writer), writers_.end());
}

void OpenWriters::Replace(TextFileWriter* from, TextFileWriter* to) {
    std::replace(writers_.begin(), writers_.end(), from, to);
}

}  // namespace tessary
