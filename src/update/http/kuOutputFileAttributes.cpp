#include "update/http/kuOutputFileAttributes.h"

namespace tessaro {

void TkuOutputFileAttributes::SetComplete(TkuFileAttributes value) {
    if (value == FComplete) return;
    FComplete = value;
    AttributesChanged();
}

void TkuOutputFileAttributes::SetIncomplete(TkuFileAttributes value) {
    if (value == FIncomplete) return;
    FIncomplete = value;
    AttributesChanged();
}

void TkuOutputFileAttributes::Assign(const TkuOutputFileAttributes* source) {
    const TkuOutputFileAttributes defaults;
    const TkuOutputFileAttributes& from = source ? *source : defaults;
    SetComplete(from.FComplete);
    SetIncomplete(from.FIncomplete);
}

}  // namespace tessaro
