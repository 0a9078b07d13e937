#pragma once

#include <sys/types.h>

#include <set>
#include <string>
#include <utility>

#include "encode/JobRow.h"
#include "encode/ScriptDialect.h"

namespace tessaro {

// Tells whether a path a tool would write names one of the listed source
// files, by its text or, for local paths, through a link to the same file.
class SourceGuard final {
public:
    SourceGuard(const ScriptSyntax& syntax, const JobList& rows);

    bool IsSource(const std::string& path) const;
    bool SameFile(const std::string& a, const std::string& b) const;

private:
    using FileIdentity = std::pair<dev_t, ino_t>;
    static bool IdentityOf(const std::string& path, FileIdentity& identity);

    const ScriptSyntax& syntax_;
    std::set<std::string> comparablePaths_;
    std::set<FileIdentity> identities_;
};

}  // namespace tessaro
