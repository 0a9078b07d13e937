#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <exception>

#include "app/SessionEndSignals.h"
#include "app/SingleInstance.h"
#include "app/Unit1.h"
#include "platform/Locale.h"

namespace {

constexpr int kSecondInstanceExitCode = -1;

// Another process resolves them against its own folder, so they travel whole.
QStringList AbsoluteFiles(const QStringList& arguments) {
    QStringList files;
    for (const QString& argument : arguments) {
        files.append(QFileInfo(argument).absoluteFilePath());
    }
    return files;
}

int RunWindow(tessaro::SingleInstance& instance, const QStringList& files) {
    // Taken before the window exists, so that an early one waits for the event loop.
    tessaro::SessionEndSignals sessionEnd;
    tessaro::TMainForm form;
    QObject::connect(&sessionEnd, &tessaro::SessionEndSignals::SessionEnding, &form,
                     &tessaro::TMainForm::EndSession);
    QObject::connect(&instance, &tessaro::SingleInstance::Activated, &form,
                     &tessaro::TMainForm::ActivateFromInstance);
    form.SetCommandLineFiles(files);
    form.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    tessaro::platform::EnsureUtf8CharacterLocale();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    const QStringList files = AbsoluteFiles(QApplication::arguments().mid(1));
    try {
        tessaro::SingleInstance instance(tessaro::SingleInstance::DefaultFolder());
        if (!instance.BecomeFirstOrForward(files)) {
            return kSecondInstanceExitCode;
        }
        return RunWindow(instance, files);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Tessaro"),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
