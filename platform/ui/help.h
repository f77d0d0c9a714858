// The program's help: the help commands name the help file (e.g. "Tessary.hlp"); its stand-in is the
// document of the same name with the extension ".html" in the help folder (the program's folder),
// opened with the desktop's viewer. When there is none, a message box says so.
#pragma once

#include <string>

namespace tessary {

inline constexpr int kHelpContents = 3;
inline constexpr int kHelpFinder = 11;

// The path of the help document for helpFile (any folder in it is dropped; the name is matched
// without regard to case when no exact match exists), or empty when there is none.
std::string helpDocumentPath(const std::string& helpFile);

// Opens the help document for helpFile; command (contents or finder) opens the same document.
// Returns true when it was opened; otherwise the user was told in a message box.
bool showHelp(const std::string& helpFile, int command);

}  // namespace tessary
