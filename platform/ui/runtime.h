// The application-wide services of the window runtime and their test seams: screen metrics,
// message boxes, modal dialogs, file dialogs, the help viewer, the event pump, beep and ending the
// program. Window code calls the free functions below; tests install scripted stand-ins on a Runtime.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessary {

class Form;
class FileDialogs;

// The display in pixels and its twips per pixel (1440 twips to the inch).
struct ScreenMetrics {
    int widthPx = 1024;
    int heightPx = 768;
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
    // The part of the screen windows may take (without task bars); 0: the whole screen.
    int availableWidthPx = 0;
    int availableHeightPx = 0;

    int widthTwips() const { return widthPx * twipsPerPixelX; }
    int heightTwips() const { return heightPx * twipsPerPixelY; }
    int availableWidth() const { return availableWidthPx > 0 ? availableWidthPx : widthPx; }
    int availableHeight() const { return availableHeightPx > 0 ? availableHeightPx : heightPx; }
};

// Message-box styles and answers of the window runtime.
namespace mb {
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kAbort = 3;
inline constexpr int kRetry = 4;
inline constexpr int kIgnore = 5;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace mb

// One message box as asked for: the title is already resolved (the program's title when none was given).
struct MessageBoxRequest {
    std::string prompt;
    int style = 0;
    std::string title;
};

// Answers a message box instead of showing it; returns the button code (1 OK, 6 Yes, 7 No, ...).
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;
// Sees every message box before it is shown: it may answer the box itself, or call `show` (the
// responder or the real box) and return that answer. The window routes its boxes with it while no
// one is there to read them (a batch).
using MessageBoxFilter = std::function<int(const MessageBoxRequest&, const std::function<int()>& show)>;

class Runtime {
  public:
    // A new runtime becomes the current one until it is destroyed (runtimes nest like scopes).
    Runtime();
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // The innermost live runtime; a default one when none was created.
    static Runtime& current();

    // The program's title: the caption of message boxes that are given none.
    const std::string& programTitle() const { return m_programTitle; }
    void setProgramTitle(std::string title) { m_programTitle = std::move(title); }

    // The command line without the program name, arguments joined by single blanks.
    const std::string& commandLine() const { return m_commandLine; }
    void setCommandLine(int argc, const char* const* argv);
    void setCommandLine(std::string line) { m_commandLine = std::move(line); }

    // The display. By default the primary screen's size at 1440 logical dots per inch; set to test layouts.
    ScreenMetrics screen() const;
    void setScreen(const ScreenMetrics& metrics) { m_screen = metrics; }
    void resetScreen() { m_screen.reset(); }

    // Seams. An unset seam uses the real Qt dialog.
    void setMessageBoxResponder(MessageBoxResponder responder) { m_responder = std::move(responder); }
    const MessageBoxResponder& messageBoxResponder() const { return m_responder; }
    // Not a test seam: set by the window for a while and put back; an empty filter shows every box.
    void setMessageBoxFilter(MessageBoxFilter filter) { m_filter = std::move(filter); }
    const MessageBoxFilter& messageBoxFilter() const { return m_filter; }
    // Runs instead of the modal event loop when a form is shown modally; it should set fields and
    // press a button that hides the form. A form still visible afterwards is hidden and counted.
    void setModalHook(std::function<void(Form&)> hook) { m_modalHook = std::move(hook); }
    const std::function<void(Form&)>& modalHook() const { return m_modalHook; }
    int modalFormsLeftOpen() const { return m_modalLeftOpen; }
    void noteModalFormLeftOpen() { ++m_modalLeftOpen; }
    // Not owned; nullptr selects QFileDialog.
    void setFileDialogs(FileDialogs* dialogs) { m_fileDialogs = dialogs; }
    FileDialogs* fileDialogs() const { return m_fileDialogs; }
    // Where the help documents lie (default: the program's folder) and how one is opened
    // (default: the desktop's viewer); the opener is given the document's path, followed by "#" and
    // an anchor to open it at one, and returns false when nothing could show it.
    void setHelpFolder(std::string folder) { m_helpFolder = std::move(folder); }
    std::string helpFolder() const;
    void setDocumentOpener(std::function<bool(const std::string& path)> opener) {
        m_opener = std::move(opener);
    }
    const std::function<bool(const std::string&)>& documentOpener() const { return m_opener; }
    // Called at the end of every doEvents, after the pending events ran (tests press Stop here).
    void setPumpHook(std::function<void()> hook) { m_pumpHook = std::move(hook); }
    // The least time between two pumps of a long loop that pumps by time (30 ms). A test sets 0, so that
    // such a loop pumps at each of its counted chances and Stop lands at a pump it can count.
    std::chrono::milliseconds pumpInterval() const { return m_pumpInterval; }
    void setPumpInterval(std::chrono::milliseconds interval) { m_pumpInterval = interval; }
    int pumpCount() const { return m_pumpCount; }
    int beepCount() const { return m_beepCount; }
    // What endProgram does after the end actions; by default the process ends at once.
    void setEndHandler(std::function<void(int exitCode)> handler) { m_endHandler = std::move(handler); }
    // Run by endProgram before the program ends, in the order added (for example: close all files).
    void addEndAction(std::function<void()> action) { m_endActions.push_back(std::move(action)); }

  private:
    friend void doEvents();
    friend void beep();
    friend void endProgram(int);

    Runtime* m_previous = nullptr;
    std::string m_programTitle = "Tessary";
    std::string m_commandLine;
    std::optional<ScreenMetrics> m_screen;
    MessageBoxResponder m_responder;
    MessageBoxFilter m_filter;
    std::function<void(Form&)> m_modalHook;
    int m_modalLeftOpen = 0;
    FileDialogs* m_fileDialogs = nullptr;
    std::string m_helpFolder;
    std::function<bool(const std::string&)> m_opener;
    std::function<void()> m_pumpHook;
    std::chrono::milliseconds m_pumpInterval{30};
    int m_pumpCount = 0;
    int m_beepCount = 0;
    std::function<void(int)> m_endHandler;
    std::vector<std::function<void()>> m_endActions;
};

// A modal message box. style: buttons (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel,
// 4 Yes/No, 5 Retry/Cancel) plus an icon (16, 32, 48, 64). No title: the program's title; an empty
// title stays empty. A carriage return (character 13) breaks the line; blanks are kept.
// Returns the button pressed: 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
int msgBox(const std::string& prompt, int style = mb::kOkOnly,
           std::optional<std::string> title = std::nullopt);

// Runs the pending window events and returns; may be called again from a handler it runs.
void doEvents();

// The system bell.
void beep();

// Ends the program at once: the end actions run, then the end handler (by default the process exits).
void endProgram(int exitCode = 0);

// Shorthands for the current runtime.
ScreenMetrics screen();
const std::string& commandLine();

// True under the offscreen and minimal platforms, where no one can answer a dialog.
bool headlessPlatform();

// Records every message box and answers from a queue; when the queue is empty it answers with the
// box's first button (1 for OK, 6 for Yes, 3 for Abort, 4 for Retry). Install with install().
class ScriptedMessageBoxes {
  public:
    void install(Runtime& runtime);
    void answer(int button) { m_answers.push_back(button); }
    const std::vector<MessageBoxRequest>& shown() const { return m_shown; }
    const MessageBoxRequest& last() const { return m_shown.back(); }
    void clear() {
        m_shown.clear();
        m_answers.clear();
        m_next = 0;
    }

    int respond(const MessageBoxRequest& request);

  private:
    std::vector<int> m_answers;
    std::size_t m_next = 0;
    std::vector<MessageBoxRequest> m_shown;
};

}  // namespace tessary
