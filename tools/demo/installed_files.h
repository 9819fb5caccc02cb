#pragma once

#include <string>
#include <string_view>

#include "base/program_folder.h"

namespace varnolt::demo {

// The files installed with the program beside its catalogue: the reset file 初期化.ini (the
// built-in settings), the auto-display pattern files with the standard pattern, and the
// introduction Varnolt入門.rtf. Writes only those that are missing, so that a user's patterns
// and edits stay.
void WriteInstalledFiles(const ProgramFolder& folder);

// A UTF-8 text as an RTF document: paragraphs at line ends, non-ASCII characters as \u escapes.
std::string RtfDocument(std::string_view utf8);

}  // namespace varnolt::demo
