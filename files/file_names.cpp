// The extension rule of the file dialogs.
#include "files/file_names.h"

namespace tessary {

CompletedName CompleteFileName(const std::string& name, const std::string& extension) {
    CompletedName out{name, name, false};
    const std::size_t n = name.size();
    if (n >= extension.size() && name.compare(n - extension.size(), extension.size(), extension) == 0) {
        out.title = name.substr(0, n - extension.size());
    } else if (n > 3 && name[n - 4] == '.') {
        // another three-letter extension: kept
    } else {
        out.file = name + extension;
        out.extensionAdded = true;
    }
    return out;
}

}  // namespace tessary
