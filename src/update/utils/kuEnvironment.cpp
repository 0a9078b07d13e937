#include "update/utils/kuEnvironment.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

namespace tessaro {
namespace {

QPointer<QObject>& MainWindow() {
    static QPointer<QObject> window;
    return window;
}

bool IsConnectedInterface(const ifaddrs& entry) {
    if (!entry.ifa_addr || (entry.ifa_flags & IFF_UP) == 0 || (entry.ifa_flags & IFF_LOOPBACK))
        return false;
    const int family = entry.ifa_addr->sa_family;
    return family == AF_INET || family == AF_INET6;
}

}  // namespace

bool IsOnline() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return false;
    bool online = false;
    for (const ifaddrs* entry = list; entry && !online; entry = entry->ifa_next)
        online = IsConnectedInterface(*entry);
    ::freeifaddrs(list);
    return online;
}

bool IsVista() {
    return true;
}

void SetApplicationMainWindow(QObject* mainWindow) {
    MainWindow() = mainWindow;
}

void ShutdownApplication() {
    if (QObject* window = MainWindow()) QMetaObject::invokeMethod(window, "close");
    QCoreApplication::quit();
}

}  // namespace tessaro
