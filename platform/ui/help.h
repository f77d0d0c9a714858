// The program's help: the help commands name the help file (e.g. "Tessary.hlp"); its stand-in is the
// document of the same name with the extension ".html" in the help folder (the program's folder),
// opened with the desktop's viewer: contents at its start, the finder at its index of topics (the
// anchor kHelpIndexAnchor). When there is no document or no viewer, a message box says so, and where
// the document is.
#pragma once

#include <string>

namespace tessary {

inline constexpr int kHelpContents = 3;
inline constexpr int kHelpFinder = 11;
// The anchor of the help document's index of topics, opened by the finder command.
inline constexpr const char* kHelpIndexAnchor = "contents";

// The path of the help document for helpFile (any folder in it is dropped; the name is matched
// without regard to case when no exact match exists), or empty when there is none.
std::string helpDocumentPath(const std::string& helpFile);

// Opens the help document for helpFile at its start (contents) or at its index of topics (finder: the
// runtime's document opener is given the path followed by "#" and kHelpIndexAnchor).
// Returns true when it was opened; otherwise the user was told in a message box.
bool showHelp(const std::string& helpFile, int command);

}  // namespace tessary
