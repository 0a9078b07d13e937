#pragma once

#include <set>
#include <string>

#include "encode/ScriptDialect.h"
#include "encode/SourceGuard.h"

namespace tessaro {

// The files one script writes: no two jobs may write the same file, and no
// job may write over a listed source (except a conversion in place, which the
// tool does atomically, or a copy onto the file itself, which changes nothing).
class OutputNames final {
public:
    OutputNames(const ScriptSyntax& syntax, const JobList& rows)
        : syntax_(syntax), guard_(syntax, rows) {}

    // `base` + `suffix` when free, else `base` + " (2)" + `suffix`, " (3)"...
    // With `inPlace`, a name that is `source` itself is free for it.
    std::string ClaimConversion(const std::string& source, const std::string& base,
                                const std::string& suffix, bool inPlace);
    // Claims `target` for a copy of `source` whose name cannot change; false
    // when another job writes it or it is a listed source other than `source`.
    bool ClaimCopy(const std::string& source, const std::string& target);

private:
    bool Taken(const std::string& path) const;
    void Claim(const std::string& path) { claimed_.insert(syntax_.ComparablePath(path)); }

    const ScriptSyntax& syntax_;
    const SourceGuard guard_;
    std::set<std::string> claimed_;
};

}  // namespace tessaro
