// Sequential text files of the program: the writer of the print statement (items, print zones, TAB,
// CR LF, number items) and the reader of the input statement (one item at a time, with a status).
// Each operation owns the files it opens; nothing is shared through file numbers.
//
// Writing. A statement is a run of item calls ended by EndLine(), which writes CR LF; items follow
// each other directly (";"), NextZone() moves to the next print zone (","). Zones are 14 columns
// wide and start at columns 1, 15, 29, ...; an item that ends exactly on a zone boundary pushes the
// next item to the following zone, so zoned items never touch. A text item is written unchanged
// (UTF-8; the program's own texts are ASCII); a number item is its PrintText: the sign slot, the
// digits (15 significant for a Double, 7 for a Single, all for a whole number) and one blank.
// Worked bytes (a dot for a blank): Print(1, kZone, 3) gives ".1.............3.";
// Print("x = ", kZone, 96.6643893412243) gives "x.=............96.6643893412243.".
//
// Two kinds of output file:
// - written in one go (data file, text export): everything goes to a temporary file in the target's
//   folder, which Close() renames over the target once it is complete; a writer that fails, or is
//   abandoned or destroyed before Close(), removes its temporary file and leaves the target as it was;
// - the batch report: created (or emptied) when opened, then each block is appended and flushed by
//   EndBlock(), so abandoning it (Stop, Exit) keeps every finished block and drops only the
//   unfinished one; a block that fails to be written is removed from the file likewise.
// Both keep what the user set on the file: a target that is a symbolic link is followed to the file
// it finally names (a dangling link to the path it names), which is written while the link stays a
// link; a one-go file that replaces another takes on its permissions and, where the system allows,
// its owner and group. A new file gets the usual permissions.
// Errors are sticky: after the first failure nothing more is written and every later call reports
// that failure; a NaN or infinite number item is such a failure (it would read back as another number).
//
// Reading. The file is taken as UTF-8, or as Windows-1252 when it is not valid UTF-8; items come out
// as UTF-8. Before an item, blanks and TABs are skipped. A text item runs to the next comma or line
// end with its trailing blanks dropped (".0." reads "0"), or, when it starts with a double quote, is
// the text up to the closing quote (commas included; anything between that quote and the next comma
// or line end is dropped). A number item ends at a blank, TAB, comma or line end; after it, blanks,
// TABs and one comma or line end are passed over. An empty line or an empty place between commas is
// an empty item. CR LF, LF and a lone CR each end a line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/conversions.h"

namespace tessary {

enum class FileStatus {
    Ok,
    EndOfFile,    // no item left
    NotANumber,   // a number was asked for and the item is not one (also an empty item)
    OutOfRange,   // the number does not fit the type asked for
    CannotOpen,   // the file could not be opened or created
    ReadFailed,   // the file could not be read
    TooLarge,     // the file is longer than the reader accepts
    WriteFailed,  // writing, flushing, closing or the final rename failed
    NotFinite,    // a NaN or infinite number item was given to a writer
    NotOpen,      // the writer was already closed or abandoned
};

// A status with a message for the user that names the file and what went wrong (empty when Ok).
struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string message;
    bool ok() const { return status == FileStatus::Ok; }
};

// Separators that can be passed to TextFileWriter::Print and PrintLine among the items.
struct TabItem {};
inline constexpr TabItem kTab{};  // the character 9 as an item of its own
struct ZoneItem {};
inline constexpr ZoneItem kZone{};  // "," of the print statement: on to the next print zone

class OpenWriters;

class TextFileWriter {
  public:
    // A file written in one go to `target`; its temporary file is created at once, so a folder that
    // cannot be written to is reported here (Status() is CannotOpen) and not only at Close().
    static TextFileWriter CreateOneGo(const std::filesystem::path& target,
                                      OpenWriters* openWriters = nullptr);
    // A batch report at `target`, created or emptied now.
    static TextFileWriter CreateReport(const std::filesystem::path& target,
                                       OpenWriters* openWriters = nullptr);

    TextFileWriter(TextFileWriter&& other) noexcept;
    TextFileWriter& operator=(TextFileWriter&& other) noexcept;
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;
    // Abandon(): a one-go file not closed is discarded, a report keeps its finished blocks.
    ~TextFileWriter();

    // Items of a statement.
    TextFileWriter& Text(std::string_view utf8);
    TextFileWriter& Number(double v);
    TextFileWriter& Number(float v);
    template <WholeNumber T>
    TextFileWriter& Number(T v) {
        Append(PrintText(v));
        return *this;
    }
    TextFileWriter& Tab();
    TextFileWriter& NextZone();
    // Ends the statement: CR LF. Alone it writes an empty line.
    TextFileWriter& EndLine();

    // Items in order: texts (anything that converts to std::string_view), numbers (double, float,
    // whole numbers), kTab and kZone. Print leaves the line open (a statement ending in ";");
    // PrintLine ends it with CR LF.
    template <class... Items>
    TextFileWriter& Print(const Items&... items) {
        (PrintItem(items), ...);
        return *this;
    }
    template <class... Items>
    TextFileWriter& PrintLine(const Items&... items) {
        (PrintItem(items), ...);
        return EndLine();
    }

    // Report: appends everything written since the last block and flushes it to the system; when
    // that fails, the part of the block already in the file is removed and the file closed.
    // One-go file: nothing to do. Returns the writer's status.
    FileResult EndBlock();
    // Completes the file. One-go: the temporary file is flushed, closed and renamed over the target
    // (on any failure it is removed and the target left as it was). Report: the rest is appended and
    // the file closed. Returns Ok or the first failure; closing again returns the same result.
    FileResult Close();
    // Closes without completing: a one-go file's temporary file is removed (the target stays as it
    // was); a report keeps its finished blocks and drops the text written since the last EndBlock().
    // Later writes are ignored and Close() then reports NotOpen.
    void Abandon();

    bool IsOpen() const { return file_ != nullptr; }
    const FileResult& Status() const { return status_; }
    // Characters written on the current line so far: the 0-based column of the next item.
    int Column() const { return column_; }
    const std::filesystem::path& Target() const { return target_; }

  private:
    enum class Kind { OneGo, Report };
    friend class OpenWriters;

    TextFileWriter(Kind kind, const std::filesystem::path& target, OpenWriters* openWriters);

    void PrintItem(std::string_view text) { Text(text); }
    void PrintItem(TabItem) { Tab(); }
    void PrintItem(ZoneItem) { NextZone(); }
    void PrintItem(double v) { Number(v); }
    void PrintItem(float v) { Number(v); }
    template <WholeNumber T>
    void PrintItem(T v) {
        Number(v);
    }

    bool Writable();
    void Append(std::string_view bytes);
    bool WritePending();
    void Fail(FileStatus status, std::string message);
    // "Cannot create the file ..." with the system's reason, naming the file a link leads to.
    std::string CannotCreate(int error) const;
    void Unregister();

    Kind kind_ = Kind::OneGo;
    std::filesystem::path target_;
    std::filesystem::path destination_;  // the file written: the target with its symbolic links followed
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    std::string pending_;             // written but not yet handed to the file
    std::uintmax_t reportBytes_ = 0;  // a report's length up to the end of its last finished block
    int column_ = 0;
    FileResult status_;
    OpenWriters* openWriters_ = nullptr;
};

// The writers that are open in one window, so that closing the window ("close every open file")
// can abandon all of them at once: one-go files are discarded, batch reports keep their finished
// blocks. A writer created with a pointer to this set enters it and leaves it when it closes, is
// abandoned or is destroyed. Destroying the set abandons the writers still in it.
class OpenWriters {
  public:
    OpenWriters() = default;
    OpenWriters(const OpenWriters&) = delete;
    OpenWriters& operator=(const OpenWriters&) = delete;
    ~OpenWriters() { AbandonAll(); }

    void AbandonAll();
    std::size_t Count() const { return writers_.size(); }

  private:
    friend class TextFileWriter;
    void Add(TextFileWriter* writer) { writers_.push_back(writer); }
    void Remove(const TextFileWriter* writer);
    void Replace(TextFileWriter* from, TextFileWriter* to);

    std::vector<TextFileWriter*> writers_;
};

// One item read from a file. On failure `value` is zero (empty for text).
template <class T>
struct Item {
    T value{};
    FileStatus status = FileStatus::Ok;
    std::string text;     // the item as it stood in the file (without quotes)
    int line = 0;         // 1-based line the item starts on
    std::string message;  // for the user, when not Ok: what is wrong, on which line of which file
    bool ok() const { return status == FileStatus::Ok; }
};

class TextFileReader {
  public:
    // Reads the whole file at `path`; a failure shows in Status() (CannotOpen, ReadFailed), and
    // every read then returns that status. A file longer than maxBytes is refused (TooLarge) before
    // anything is read.
    static constexpr std::uintmax_t kDefaultMaxBytes = std::uintmax_t{64} << 20;  // 64 MiB
    // The largest data file within the reader's limits holds some 120 MB (4 million colour values of
    // a Lee diagram, 72 bytes a line of three, and an S1 and S2 block); text after its results is
    // ignored, not kept.
    static constexpr std::uintmax_t kDataFileMaxBytes = std::uintmax_t{256} << 20;  // 256 MiB
    static TextFileReader Open(const std::filesystem::path& path, std::uintmax_t maxBytes = kDefaultMaxBytes);
    // A reader of bytes already in memory; `name` stands for the file in messages.
    static TextFileReader FromBytes(std::string_view bytes, std::string name = "");

    const FileResult& Status() const { return status_; }
    // True when nothing at all is left (the runtime's end-of-file test).
    bool AtEnd() const { return pos_ >= text_.size(); }
    // The line the next item is read from (1-based), and its text without the line end.
    int Line() const { return line_; }
    std::string_view CurrentLine() const;
    // The rest of the line the next item is read from, from where that item starts.
    std::string_view RestOfLine() const;
    // Passes blanks, TABs and line ends: afterwards AtEnd() tells whether only they were left.
    void SkipBlankLines();
    const std::string& Name() const { return name_; }

    // The next item as text.
    Item<std::string> ReadText();
    // The same, but an unquoted item keeps the blanks and TABs before and after it: the whole text up
    // to the comma or line end, as a print statement wrote it.
    Item<std::string> ReadTextWithBlanks();
    // The next item as a number: a whole decimal number ("0.5", ".5", "-.5", "5.", "1E-05", "1D3";
    // a quoted number counts too), else NotANumber. Beyond the type's range: OutOfRange. Integer
    // and Long round to the nearest whole number, halves to even ("2.5" reads 2).
    Item<double> ReadDouble();
    Item<float> ReadSingle();
    Item<std::int16_t> ReadInteger();
    Item<std::int32_t> ReadLong();

  private:
    struct RawItem {
        FileStatus status = FileStatus::Ok;
        std::string text;
        int line = 0;
    };
    TextFileReader() = default;
    RawItem ReadRaw(bool number, bool keepBlanks = false);
    void PassLineEnd();
    void PassDelimiter();
    template <class T>
    Item<T> Failed(const RawItem& raw, FileStatus status) const;
    Item<std::string> TextItem(RawItem raw) const;
    template <class T, class Convert>
    Item<T> ReadNumber(Convert convert);

    std::string text_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;  // where line_ begins in text_
    int line_ = 1;
    std::string name_;
    FileResult status_;
};

}  // namespace tessary
