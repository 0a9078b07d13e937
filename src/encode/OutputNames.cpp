#include "encode/OutputNames.h"

namespace tessaro {

std::string OutputNames::ClaimConversion(const std::string& source, const std::string& base,
                                         const std::string& suffix, bool inPlace) {
    std::string candidate = base + suffix;
    const bool ownSource = inPlace && guard_.SameFile(source, candidate) && !Taken(candidate);
    for (int number = 2; !ownSource && (Taken(candidate) || guard_.IsSource(candidate)); ++number)
        candidate = base + " (" + std::to_string(number) + ")" + suffix;
    Claim(candidate);
    return candidate;
}

bool OutputNames::ClaimCopy(const std::string& source, const std::string& target) {
    if (Taken(target)) return false;
    if (guard_.IsSource(target) && !guard_.SameFile(source, target)) return false;
    Claim(target);
    return true;
}

bool OutputNames::Taken(const std::string& path) const {
    return claimed_.count(syntax_.ComparablePath(path)) != 0;
}

}  // namespace tessaro
