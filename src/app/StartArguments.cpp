#include "app/StartArguments.h"

#include <QFileInfo>

#include "update/renovator/kuRenovator.h"

namespace tessaro {

StartArguments ReadStartArguments(const QStringList& arguments) {
    StartArguments start;
    start.firstParameter = arguments.value(0);
    const bool afterUpgrade =
        start.firstParameter == QLatin1String(TkuRenovator::kDefaultRestartParams);
    for (const QString& argument : afterUpgrade ? arguments.mid(1) : arguments)
        start.files.append(QFileInfo(argument).absoluteFilePath());
    return start;
}

}  // namespace tessaro
