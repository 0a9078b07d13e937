#pragma once

#include <string>

namespace tessaro {

// Splits a registered command line into the program and its arguments by the
// update component's fixed text rules (quotes first, then " -", " /", " \",
// ",", " %", and the RUNDLL special case). Pure text: nothing is looked up.
// An empty or blank FileName changes nothing.
void SplitFilenameAndParams(std::string& fileName, std::string& params);

}  // namespace tessaro
