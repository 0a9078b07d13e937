#include "encode/SourceGuard.h"

#include <sys/stat.h>

namespace tessaro {

SourceGuard::SourceGuard(const ScriptSyntax& syntax, const JobList& rows) : syntax_(syntax) {
    for (const JobRow& row : rows) {
        comparablePaths_.insert(syntax_.ComparablePath(row.caption));
        FileIdentity identity;
        if (syntax_.PathsAreLocal() && IdentityOf(row.caption, identity))
            identities_.insert(identity);
    }
}

bool SourceGuard::IsSource(const std::string& path) const {
    if (comparablePaths_.count(syntax_.ComparablePath(path)) != 0) return true;
    FileIdentity identity;
    return syntax_.PathsAreLocal() && IdentityOf(path, identity) &&
           identities_.count(identity) != 0;
}

bool SourceGuard::SameFile(const std::string& a, const std::string& b) const {
    if (syntax_.ComparablePath(a) == syntax_.ComparablePath(b)) return true;
    FileIdentity first;
    FileIdentity second;
    return syntax_.PathsAreLocal() && IdentityOf(a, first) && IdentityOf(b, second) &&
           first == second;
}

bool SourceGuard::IdentityOf(const std::string& path, FileIdentity& identity) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;
    identity = {status.st_dev, status.st_ino};
    return true;
}

}  // namespace tessaro
