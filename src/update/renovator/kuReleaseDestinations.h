#pragma once

#include <string>

#include "update/utils/kuStringList.h"

namespace tessaro {

// The full path a listed file is downloaded for: its destination with the folder
// macros expanded and a relative one taken in the program's folder; without a
// destination, the program's folder and the URL's file name.
std::string EntryDestination(const TkuStringList& files, int index);

// Whether a release may write the path: once ".." and the links of its folders are
// resolved it lies inside the program's folder or a folder the info file's macros
// name for destinations (%current%, %temp%, %windows%), and it is not the update
// helper, its queue or its result, which the helper and the program trust.
bool IsAllowedDestination(const std::string& path);

// The first listed file whose destination is not allowed; -1 when all are.
int FirstEscapingEntry(const TkuStringList& files);

// The first listed file whose destination this user cannot write: the nearest
// folder of it that exists does not let them create and rename files. -1 when
// every one can be written.
int FirstUnwritableEntry(const TkuStringList& files);

}  // namespace tessaro
