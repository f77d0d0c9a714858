// Choosing a file to open or save: one filter entry, a title, the overwrite question on saving, a
// 256-character limit on the chosen path, and the current folder following the chosen file (so a bare
// name then opens it and the next dialog starts there). The dialog itself sits behind FileDialogs:
// QFileDialog in the program, a script in tests.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tessary {

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    std::string title;
    std::string filterText;  // e.g. "Tessary files (*.tsy)"
    std::string pattern;     // e.g. "*.tsy"
    std::string folder;      // where the dialog starts (the current folder)
};

// The dialog: the full path chosen, or nothing when the user cancelled.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> choose(const FileDialogRequest& request) = 0;
};

// QFileDialog, modal on the active window; saving asks before overwriting an existing file.
class QtFileDialogs : public FileDialogs {
  public:
    std::optional<std::string> choose(const FileDialogRequest& request) override;
};

// Answers from a queue (nothing = cancel) and records each request; an empty queue cancels.
class ScriptedFileDialogs : public FileDialogs {
  public:
    void answer(std::optional<std::string> path) { m_answers.push_back(std::move(path)); }
    const std::vector<FileDialogRequest>& requests() const { return m_requests; }
    std::optional<std::string> choose(const FileDialogRequest& request) override;

  private:
    std::deque<std::optional<std::string>> m_answers;
    std::vector<FileDialogRequest> m_requests;
};

struct ChosenFile {
    std::string path;      // the full path
    std::string fileName;  // the name without its folder
};

inline constexpr std::size_t kMaxFilePathLength = 256;

// Why a file dialog chose nothing.
enum class NoFileReason { Cancelled, PathTooLong };

// Shows the current runtime's file dialog (QFileDialog when none is set) starting in the current
// folder. Nothing when the user cancelled or chose a path longer than kMaxFilePathLength characters
// (`reason`, when given, then says which); otherwise the current folder becomes the chosen file's folder.
std::optional<ChosenFile> chooseFile(FileDialogMode mode, const std::string& title,
                                     const std::string& filterText, const std::string& pattern,
                                     NoFileReason* reason = nullptr);

// The filter string Qt takes for one entry: filterText, followed by " (pattern)" unless it names the
// pattern already.
std::string qtFilterOf(const std::string& filterText, const std::string& pattern);

}  // namespace tessary
