// File dialogs: QFileDialog or a script, and the current folder that follows the chosen file.
#include "platform/ui/file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/ui/runtime.h"

namespace tessary {

std::string qtFilterOf(const std::string& filterText, const std::string& pattern) {
    if (pattern.empty() || filterText.find("(" + pattern + ")") != std::string::npos) return filterText;
    return filterText + " (" + pattern + ")";
}

std::optional<std::string> QtFileDialogs::choose(const FileDialogRequest& request) {
    const QString title = QString::fromStdString(request.title);
    const QString folder = QString::fromStdString(request.folder);
    const QString filter = QString::fromStdString(qtFilterOf(request.filterText, request.pattern));
    QWidget* parent = QApplication::activeWindow();
    const QString path = request.mode == FileDialogMode::Save
                             ? QFileDialog::getSaveFileName(parent, title, folder, filter)
                             : QFileDialog::getOpenFileName(parent, title, folder, filter);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> ScriptedFileDialogs::choose(const FileDialogRequest& request) {
    m_requests.push_back(request);
    if (m_answers.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

std::optional<ChosenFile> chooseFile(FileDialogMode mode, const std::string& title,
                                     const std::string& filterText, const std::string& pattern,
                                     NoFileReason* reason) {
    const FileDialogRequest request{mode, title, filterText, pattern, QDir::currentPath().toStdString()};
    FileDialogs* dialogs = Runtime::current().fileDialogs();
    QtFileDialogs qtDialogs;
    if (dialogs == nullptr) dialogs = &qtDialogs;
    const std::optional<std::string> path = dialogs->choose(request);
    const bool tooLong = path && path->size() > kMaxFilePathLength;
    if (!path || path->empty() || tooLong) {
        if (reason != nullptr) *reason = tooLong ? NoFileReason::PathTooLong : NoFileReason::Cancelled;
        return std::nullopt;
    }
    const QFileInfo info(QString::fromStdString(*path));
    // The chosen file's folder becomes the current folder.
    QDir::setCurrent(info.absolutePath());
    return ChosenFile{info.absoluteFilePath().toStdString(), info.fileName().toStdString()};
}

}  // namespace tessary
