#pragma once

#include <QString>
#include <QStringList>

namespace tessaro {

// Mount points the "Copy to" selector offers: removable volumes first, then the
// other writable ones, each group in the order the system lists them.
QStringList CopyTargetVolumes();

// Whether a volume sits on a removable disk (a USB stick, a card, a player).
bool IsRemovableVolume(const QString& mountPoint, const QByteArray& device);

}  // namespace tessaro
