// The reader of sequential text files: items one at a time, text or number, with a status each.
#include <algorithm>
#include <system_error>
#include <utility>

#include "platform/text/decimal_digits.h"
#include "platform/text/file_access.h"
#include "platform/text/text_encoding.h"
#include "platform/text/text_file.h"

namespace tessary {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string LineText(int line) { return CStr(line); }

}  // namespace

TextFileReader TextFileReader::Open(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    TextFileReader reader;
    reader.name_ = detail::PathText(path);
    const auto tooLarge = [&reader] {
        reader.status_ = {FileStatus::TooLarge, "The file " + reader.name_ + " is too large"};
        return std::move(reader);
    };
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && size > maxBytes) return tooLarge();
    errno = 0;
    std::FILE* file = detail::OpenFile(path, "rb");
    if (!file) {
        reader.status_ = {FileStatus::CannotOpen,
                          "Cannot open the file " + reader.name_ + detail::Reason(errno)};
        return reader;
    }
    std::string bytes;
    char buffer[1 << 16];
    std::size_t n = 0;
    bool over = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + n > maxBytes) {  // the file grew while it was read
            over = true;
            break;
        }
        bytes.append(buffer, n);
    }
    const int error = errno;
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (over) return tooLarge();
    if (failed) {
        reader.status_ = {FileStatus::ReadFailed,
                          "Cannot read the file " + reader.name_ + detail::Reason(error)};
        return reader;
    }
    // Valid UTF-8 without a byte-order mark is the text as read: a large file is not held twice.
    if (bytes.rfind("\xEF\xBB\xBF", 0) != 0 && IsValidUtf8(bytes))
        reader.text_ = std::move(bytes);
    else
        reader.text_ = DecodeFileText(bytes);
    return reader;
}

TextFileReader TextFileReader::FromBytes(std::string_view bytes, std::string name) {
    TextFileReader reader;
    reader.name_ = std::move(name);
    reader.text_ = DecodeFileText(bytes);
    return reader;
}

// ---------------------------------------------------------------------------------------------

void TextFileReader::PassLineEnd() {
    if (pos_ < text_.size() && text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ++line_;
        lineStart_ = pos_;
    } else if (pos_ < text_.size() && text_[pos_] == '\n') {
        ++pos_;
        ++line_;
        lineStart_ = pos_;
    }
}

std::string_view TextFileReader::CurrentLine() const {
    const std::string_view text(text_);
    const std::size_t end = text.find_first_of("\r\n", lineStart_);
    return text.substr(lineStart_, end == std::string_view::npos ? std::string_view::npos : end - lineStart_);
}

std::string_view TextFileReader::RestOfLine() const {
    const std::string_view text(text_);
    const std::size_t from = std::min(pos_, text.size());
    const std::size_t end = text.find_first_of("\r\n", from);
    return text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from);
}

void TextFileReader::SkipBlankLines() {
    for (;;) {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
        if (pos_ >= text_.size() || !IsLineEnd(text_[pos_])) return;
        PassLineEnd();
    }
}

// After an item: one comma or one line end.
void TextFileReader::PassDelimiter() {
    if (pos_ < text_.size() && text_[pos_] == ',')
        ++pos_;
    else
        PassLineEnd();
}

TextFileReader::RawItem TextFileReader::ReadRaw(bool number, bool keepBlanks) {
    RawItem item;
    if (!status_.ok()) {
        item.status = status_.status;
        return item;
    }
    const std::size_t n = text_.size();
    const std::size_t itemStart = pos_;
    while (pos_ < n && IsBlank(text_[pos_])) ++pos_;
    item.line = line_;
    if (pos_ >= n) {
        item.status = FileStatus::EndOfFile;
        return item;
    }
    if (text_[pos_] == '"') {  // quoted: up to the closing quote, commas included
        const std::size_t start = ++pos_;
        while (pos_ < n && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
        item.text = text_.substr(start, pos_ - start);
        while (pos_ < n && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        PassDelimiter();
    } else if (number) {  // up to a blank, TAB, comma or line end
        const std::size_t start = pos_;
        while (pos_ < n && !IsBlank(text_[pos_]) && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        item.text = text_.substr(start, pos_ - start);
        while (pos_ < n && IsBlank(text_[pos_])) ++pos_;
        PassDelimiter();
    } else {  // up to a comma or line end, blanks around it dropped unless kept
        const std::size_t start = keepBlanks ? itemStart : pos_;
        while (pos_ < n && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (!keepBlanks && end > start && text_[end - 1] == ' ') --end;
        item.text = text_.substr(start, end - start);
        PassDelimiter();
    }
    return item;
}

template <class T>
Item<T> TextFileReader::Failed(const RawItem& raw, FileStatus status) const {
    Item<T> item;
    item.status = status;
    item.text = raw.text;
    item.line = raw.line;
    const std::string where = " (line " + LineText(raw.line) + " of " + name_ + ")";
    switch (status) {
        case FileStatus::EndOfFile:
            item.message = "The file " + name_ + " ends before an expected item";
            break;
        case FileStatus::NotANumber:
            item.message = "\"" + raw.text + "\" is not a number" + where;
            break;
        case FileStatus::OutOfRange:
            item.message = "The number " + raw.text + " is out of range" + where;
            break;
        default:
            item.message = status_.message;
            break;
    }
    return item;
}

Item<std::string> TextFileReader::ReadText() { return TextItem(ReadRaw(false)); }

Item<std::string> TextFileReader::ReadTextWithBlanks() { return TextItem(ReadRaw(false, true)); }

Item<std::string> TextFileReader::TextItem(RawItem raw) const {
    if (raw.status != FileStatus::Ok) return Failed<std::string>(raw, raw.status);
    Item<std::string> item;
    item.value = raw.text;
    item.text = std::move(raw.text);
    item.line = raw.line;
    return item;
}

// Reads a number item and hands its canonical text to `convert`, which returns the value and a status.
template <class T, class Convert>
Item<T> TextFileReader::ReadNumber(Convert convert) {
    const RawItem raw = ReadRaw(true);
    if (raw.status != FileStatus::Ok) return Failed<T>(raw, raw.status);
    std::string canonical;
    if (!detail::CanonicalFromStrictToken(raw.text, canonical)) return Failed<T>(raw, FileStatus::NotANumber);
    T value{};
    const FileStatus status = convert(canonical, value);
    if (status != FileStatus::Ok) return Failed<T>(raw, status);
    Item<T> item;
    item.value = value;
    item.text = raw.text;
    item.line = raw.line;
    return item;
}

namespace {

template <class F>
FileStatus ParseFloating(const std::string& canonical, F& value) {
    return detail::ParseCanonical(canonical, value) == detail::ParseOutcome::Ok ? FileStatus::Ok
                                                                                : FileStatus::OutOfRange;
}

template <class I, class Round>
FileStatus ParseWhole(const std::string& canonical, I& value, Round round) {
    double v = 0.0;
    if (detail::ParseCanonical(canonical, v) != detail::ParseOutcome::Ok) return FileStatus::OutOfRange;
    const Checked<I> rounded = round(v);
    if (!rounded.ok()) return FileStatus::OutOfRange;
    value = rounded.value;
    return FileStatus::Ok;
}

}  // namespace

Item<double> TextFileReader::ReadDouble() {
    return ReadNumber<double>([](const std::string& c, double& v) { return ParseFloating(c, v); });
}

Item<float> TextFileReader::ReadSingle() {
    return ReadNumber<float>([](const std::string& c, float& v) { return ParseFloating(c, v); });
}

Item<std::int16_t> TextFileReader::ReadInteger() {
    return ReadNumber<std::int16_t>([](const std::string& c, std::int16_t& v) {
        return ParseWhole(c, v, [](double d) { return CInt(d); });
    });
}

Item<std::int32_t> TextFileReader::ReadLong() {
    return ReadNumber<std::int32_t>([](const std::string& c, std::int32_t& v) {
        return ParseWhole(c, v, [](double d) { return CLng(d); });
    });
}

}  // namespace tessary
