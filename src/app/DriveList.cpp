#include "app/DriveList.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace tessaro {
namespace {

// /sys/class/block/<partition> leads to the disk, whose "removable" flag tells.
bool SysfsSaysRemovable(const QByteArray& device) {
    const QString name = QFileInfo(QString::fromLocal8Bit(device)).fileName();
    if (name.isEmpty()) {
        return false;
    }
    const QString block = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    for (const QString& candidate :
         {block + QStringLiteral("/removable"), block + QStringLiteral("/../removable")}) {
        QFile flag(candidate);
        if (flag.open(QIODevice::ReadOnly)) {
            return flag.read(1) == "1";
        }
    }
    return false;
}

bool IsDesktopMount(const QString& mountPoint) {
    return mountPoint.startsWith(QStringLiteral("/media/")) ||
           mountPoint.startsWith(QStringLiteral("/run/media/"));
}

}  // namespace

bool IsRemovableVolume(const QString& mountPoint, const QByteArray& device) {
    return IsDesktopMount(mountPoint) || SysfsSaysRemovable(device);
}

QStringList CopyTargetVolumes() {
    QStringList removable;
    QStringList fixed;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || volume.isReadOnly()) {
            continue;
        }
        const QString mountPoint = volume.rootPath();
        (IsRemovableVolume(mountPoint, volume.device()) ? removable : fixed).append(mountPoint);
    }
    return removable + fixed;
}

}  // namespace tessaro
