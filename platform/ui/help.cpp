// The help stand-in: an HTML document beside the program, opened with the desktop's viewer.
#include "platform/ui/help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/text/conversions.h"
#include "platform/ui/runtime.h"

namespace tessary {

std::string helpDocumentPath(const std::string& helpFile) {
    const QDir folder(QString::fromStdString(Runtime::current().helpFolder()));
    const QString wanted =
        QFileInfo(QString::fromStdString(helpFile)).completeBaseName() + QStringLiteral(".html");
    if (wanted == QLatin1String(".html")) return {};
    if (QFileInfo(folder.filePath(wanted)).isFile()) return folder.filePath(wanted).toStdString();
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) return folder.filePath(entry).toStdString();
    return {};
}

bool showHelp(const std::string& helpFile, int command) {
    Runtime& runtime = Runtime::current();
    const std::string path = helpDocumentPath(helpFile);
    const std::string shown =
        QFileInfo(QString::fromStdString(helpFile)).completeBaseName().toStdString() + ".html";
    if (path.empty()) {
        msgBox("The help file " + shown + " was not found.", mb::kExclamation);
        return false;
    }
    const bool atIndex = command == kHelpFinder;
    bool opened = false;
    if (runtime.documentOpener()) {
        opened = runtime.documentOpener()(atIndex ? path + "#" + kHelpIndexAnchor : path);
    } else {
        QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
        if (atIndex) url.setFragment(QString::fromLatin1(kHelpIndexAnchor));
        opened = QDesktopServices::openUrl(url);
    }
    // Without a viewer the user can still open the document by hand: say where it is.
    if (!opened)
        msgBox("The help file " + shown + " could not be opened: no viewer was found." + kCR + kCR +
                   "Open it in a web browser: " + path,
               mb::kExclamation);
    return opened;
}

}  // namespace tessary
