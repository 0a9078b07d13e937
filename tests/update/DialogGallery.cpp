// Shows one update dialog as the program shows it, with sample texts, for the
// README's pictures: "question" asks about a release with a long note,
// "wizard" downloads the second of six files. The language follows LANG, as
// the program's does. Not a test: scripts/screenshot.sh runs it.
#include <QApplication>

#include <cstdint>
#include <iostream>

#include "update/renovator/UpdateConfiguration.h"
#include "update/renovator/kuRenovator.h"
#include "update/renovator/kuRenovatorLanguage.h"
#include "update/ui/kuRenovatorWidgetDialogs.h"

namespace tessaro {
namespace {

constexpr char kLongNote[] =
    "Faster start-up: the job list is ready before the window shows.\n"
    "Subtitles in UTF-16 files are converted for every player.\n"
    "The Options page shows the version, beside the update check.\n"
    "A stopped run leaves no half-written files behind.\n"
    "Files dropped on the list while a run goes on wait for the next run.\n"
    "The details pane keeps its width between starts.\n"
    "The progress bar counts the whole list, with an estimate of the time left.\n"
    "Power-off after a run asks systemd-logind and can be cancelled.\n"
    "Twenty-nine languages for the update dialogs.\n"
    "Copies to a player's card are checked before the next file starts.\n"
    "The file dialog remembers the last folder.\n"
    "Many small fixes.";

int ShowWizard(TkuRenovator& engine, TkuRenovatorWidgetDialogs& dialogs) {
    dialogs.ShowRenovatorWizard(engine);
    dialogs.ShowWizardFile(UpdateServer() + "/upgrade/tessaro/tessaro-cli",
                           KUFmtLangStr(9, {std::int64_t{2}, std::int64_t{6}}));
    dialogs.ShowWizardFileSize(KUFmtLangStr(6, {1843.7}));
    dialogs.ShowWizardProgress(
        43, 24, KUFmtLangStr(7, {812.5}),
        KUFmtLangStr(8, {std::int64_t{0}, std::int64_t{0}, std::int64_t{3}}));
    return QApplication::exec();
}

}  // namespace
}  // namespace tessaro

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaro"));
    const std::string page = argc == 2 ? argv[1] : "";
    tessaro::TkuRenovator engine;
    tessaro::ConfigureRenovator(engine);
    tessaro::TkuRenovatorWidgetDialogs dialogs;
    if (page == "question")
        return dialogs.ShowUpgradeBox(tessaro::kLongNote, "1.2.1.2 → 1.2.1.3") ? 0 : 1;
    if (page == "wizard") return tessaro::ShowWizard(engine, dialogs);
    std::cerr << "usage: renovator_dialog_gallery question|wizard\n";
    return 2;
}
