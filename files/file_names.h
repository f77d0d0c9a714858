// The names the file dialogs leave: the chosen name completed by the extension of the file kind.
#pragma once

#include <string>

namespace tessary {

struct CompletedName {
    std::string file;   // the name the file is opened by
    std::string title;  // the name without the requested extension
    bool extensionAdded = false;
};

// The extension rule (exact, case-sensitive): a name ending in the extension keeps it (the title
// drops it); a name whose fourth character from the end is "." keeps its own three-letter extension;
// any other name gets the extension appended ("run1" -> "run1.tsy", "a.b" -> "a.b.tsy").
CompletedName CompleteFileName(const std::string& name, const std::string& extension);

}  // namespace tessary
