#include "update/sign/kuUpdateTrustedComment.h"

namespace tessaro {

std::string UpdateTrustedComment(std::string_view fileName, std::string_view release) {
    std::string comment = "file:";
    comment += fileName;
    comment += " version:";
    comment += release;
    return comment;
}

}  // namespace tessaro
