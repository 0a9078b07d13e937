#pragma once

#include <QString>
#include <QStringList>

namespace tessaro {

// The program's command line: files to add, and the first parameter, which
// tells the update engine that this start follows an update.
struct StartArguments {
    QString firstParameter;
    QStringList files;  // absolute paths
};

// "/afterupgrade" as the first argument names no file; every other argument
// is a file, made absolute so that another instance can take it over.
StartArguments ReadStartArguments(const QStringList& arguments);

}  // namespace tessaro
