#pragma once

#include "update/utils/kuFileAttributes.h"

namespace tessaro {

// The attribute sets that mark an output file while it is incomplete and once it is
// complete.
class TkuOutputFileAttributes {
public:
    virtual ~TkuOutputFileAttributes() = default;

    TkuFileAttributes Complete() const { return FComplete; }
    void SetComplete(TkuFileAttributes value);
    TkuFileAttributes Incomplete() const { return FIncomplete; }
    void SetIncomplete(TkuFileAttributes value);

    void Assign(const TkuOutputFileAttributes* source);

protected:
    // Called after either set changed to a different value.
    virtual void AttributesChanged() {}

private:
    TkuFileAttributes FComplete = {TkuFileAttribute::atrArchive};
    TkuFileAttributes FIncomplete = {TkuFileAttribute::atrArchive, TkuFileAttribute::atrTemporary};
};

}  // namespace tessaro
