#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/SessionEndSignals.h"
#include "app/SingleInstance.h"
#include "app/StartArguments.h"
#include "app/Unit1.h"
#include "platform/Locale.h"

namespace {

constexpr int kSecondInstanceExitCode = -1;

int RunWindow(tessaro::SingleInstance& instance, const QString& firstParameter,
              const QStringList& files) {
    // Taken before the window exists, so that an early one waits for the event loop.
    tessaro::SessionEndSignals sessionEnd;
    tessaro::TMainForm form;
    QObject::connect(&sessionEnd, &tessaro::SessionEndSignals::SessionEnding, &form,
                     &tessaro::TMainForm::EndSession);
    QObject::connect(&instance, &tessaro::SingleInstance::Activated, &form,
                     &tessaro::TMainForm::ActivateFromInstance);
    form.SetCommandLineFiles(files);
    form.AfterStart(firstParameter);
    form.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    tessaro::platform::EnsureUtf8CharacterLocale();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    const tessaro::StartArguments start =
        tessaro::ReadStartArguments(QApplication::arguments().mid(1));
    try {
        tessaro::SingleInstance instance(tessaro::SingleInstance::DefaultFolder());
        if (!instance.BecomeFirstOrForward(start.files)) {
            return kSecondInstanceExitCode;
        }
        return RunWindow(instance, start.firstParameter, start.files);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Tessaro"),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
