#include <QCoreApplication>
#include <QEventLoop>

#include <array>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "settings/ProgramVersion.h"
#include "update/helper/RenovatorInstall.h"
#include "update/renovator/UpdateConfiguration.h"
#include "update/renovator/kuReleaseDestinations.h"
#include "update/renovator/kuRenovator.h"
#include "update/renovator/kuRenovatorLanguage.h"

namespace tessaro::cli {
namespace {

constexpr int kExitNewerRelease = 100;
constexpr OptionRule kCheckOption{"--check", false};
constexpr std::array kUpdateOptions = {kCheckOption};

// The engine without a window: the check only queries, so nothing is asked, and the
// wizard never opens. It keeps the first error and the first information the engine
// gives; a message box ends whatever runs, since nobody could answer it.
class UpdateReport final : public TkuRenovatorDialogs {
public:
    void ShowRenovatorWizard(TkuRenovatorWizardHost&) override {}
    bool WizardOpen() const override { return false; }
    void ShowWizardFile(const std::string&, const std::string&) override {}
    void ShowWizardFileSize(const std::string&) override {}
    void ShowWizardProgress(std::uint8_t, std::uint8_t, const std::string&,
                            const std::string&) override {}
    void FinishWizard(int, int) override {}
    void DestroyWizard() override {}
    bool ShowUpgradeBox(const std::string&, const std::string&) override { return false; }
    bool ShowPasswordBox(TkuRenovatorWizardHost&, const std::string&) override { return false; }
    void ErrorBox(const std::string& text) override { Keep(error, text); }
    void InformationBox(const std::string& text) override { Keep(information, text); }
    bool AskSkipLostFile(const std::string&, const std::string&) override { return false; }

    void Keep(std::optional<std::string>& kept, const std::string& text) {
        if (!kept) kept = text;
        if (OnSaid) OnSaid();
    }
    bool Said() const { return error || information; }
    std::string Reason() const {
        return error.value_or(information.value_or("the update ended without an answer."));
    }

    std::optional<std::string> error;
    std::optional<std::string> information;
    std::function<void()> OnSaid;
};

// The window calls these an unreachable host; here they are told as they are.
std::optional<std::string> FailureText(TkuHTTPFailure failure) {
    switch (failure) {
        case TkuHTTPFailure::RedirectLoop:
            return "The update server redirects in a loop.";
        case TkuHTTPFailure::RedirectRefused:
            return "The update server redirected to an address an update may not be read from.";
        case TkuHTTPFailure::Malformed:
            return "The update server's answer is not a valid HTTP response.";
        default:
            return std::nullopt;
    }
}

// Release notes keep the info file's CR LF line ends.
std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

int Failed(const std::string& why, const std::string& refusal = {}) {
    std::cerr << "tessaro-cli update: " << why << '\n';
    if (!refusal.empty()) std::cerr << "tessaro-cli update: refused: " << refusal << '\n';
    return kExitFailure;
}

int ReportFailure(const TkuRenovator& renovator, const UpdateReport& report) {
    const std::optional<std::string> failure = FailureText(renovator.LastFailure());
    return Failed(failure.value_or(report.Reason()), renovator.Refusal());
}

int ReportNewerRelease(const TkuRenovator& renovator, const std::string& note) {
    std::cout << "A newer version is available: " << renovator.ReleaseVersion() << " (running "
              << ProgramVersionText() << ")\n";
    if (!note.empty()) std::cout << WithoutCarriageReturns(note) << '\n';
    if (!renovator.CanVerify())
        std::cout << "This build has no publisher key (TESSARO_UPDATE_PUBLIC_KEY), so it cannot "
                     "verify this release and will not install it.\n";
    if (renovator.SystemInstall()) std::cout << renovator.SystemInstallText() << '\n';
    return kExitNewerRelease;
}

// Every listed file's download is in place beside its destination.
bool DownloadRelease(TkuRenovator& renovator, UpdateReport& report) {
    QEventLoop loop;
    bool ended = false, downloaded = false;
    const auto end = [&] {
        ended = true;
        loop.quit();
    };
    renovator.OnEndUpgrade = [&](QObject*, bool& restartImmediately) {
        restartImmediately = false;
        downloaded = true;
        end();
    };
    renovator.OnAborted = [&](QObject*) { end(); };
    renovator.OnLostFile = [&](QObject*, const std::string& url, std::int32_t code, bool&) {
        report.Keep(report.error, "The release file " + url +
                                      " cannot be downloaded (HTTP status " + std::to_string(code) +
                                      ").");
    };
    report.OnSaid = end;
    renovator.DoUpgrade(true);
    if (!ended) loop.exec();
    // The handlers reach into this frame; an Abort after it returns reports again.
    renovator.OnEndUpgrade = nullptr;
    renovator.OnAborted = nullptr;
    renovator.OnLostFile = nullptr;
    report.OnSaid = nullptr;
    return downloaded && !report.Said();
}

std::vector<std::string> ReleaseDestinations(const TkuRenovator& renovator) {
    std::vector<std::string> destinations;
    for (int i = 0; i < renovator.Files().Count(); ++i)
        destinations.push_back(EntryDestination(renovator.Files(), i));
    return destinations;
}

// Downloads and verifies every file first; only then are the installed files
// replaced, all of them or none.
int InstallRelease(TkuRenovator& renovator, UpdateReport& report) {
    if (renovator.UpgradeMethod() != TdyUpgradeMethod::umSelfUpgrade)
        return Failed("this release is installed by its own setup, which the window runs.");
    if (!renovator.CanVerify())
        return Failed(
            "this build has no publisher key (TESSARO_UPDATE_PUBLIC_KEY) to verify the "
            "release with; nothing was installed.");
    if (!DownloadRelease(renovator, report)) {
        renovator.Abort(false);
        return ReportFailure(renovator, report);
    }
    if (const std::string why = InstallAllDownloads(ReleaseDestinations(renovator)); !why.empty()) {
        renovator.DeleteTemporaryFiles();
        return Failed("nothing was changed: " + why + ".");
    }
    std::cout << "Updated Tessaro " << ProgramVersionText() << " \u2192 "
              << renovator.ReleaseVersion() << '\n';
    return kExitOk;
}

int UpdateOrCheck(bool install) {
    int argc = 1;
    char name[] = "tessaro-cli";
    char* argv[] = {name, nullptr};
    std::optional<QCoreApplication> application;
    if (!QCoreApplication::instance()) application.emplace(argc, argv);
    // The messages name the program, not this front end.
    QCoreApplication::setApplicationName(QStringLiteral("Tessaro"));
    SetRenovatorLanguage(TkuRenovatorLanguage::wlEnglish);

    // Declared first: the engine reports to it until the engine is gone.
    UpdateReport report;
    TkuRenovator renovator;
    ConfigureRenovator(renovator);
    renovator.SetInfoFileURL(CheckInfoFileURL());
    renovator.SetDialogs(&report);
    std::string note;
    bool noUpdate = false;
    renovator.OnNoUpdateAvailable = [&noUpdate](QObject*) { noUpdate = true; };
    renovator.OnBeginUpgrade = [&note](QObject*, const std::string& upgradeMsg, TdyUpgradeMethod,
                                       TkuStringList&, bool&) { note = upgradeMsg; };
    const bool newer = renovator.CheckUpdate(true);
    // Only the engine's own word makes a release up to date.
    if (report.error || (!newer && !noUpdate)) return ReportFailure(renovator, report);
    if (!newer) {
        std::cout << "Tessaro " << ProgramVersionText() << " is up to date.\n";
        return kExitOk;
    }
    if (!install) return ReportNewerRelease(renovator, note);
    return InstallRelease(renovator, report);
}

int RunUpdate(std::span<const std::string> arguments) {
    const CliOptions options(arguments, kUpdateOptions);
    if (!options.Operands().empty()) throw UsageError("update takes no PATH");
    return UpdateOrCheck(!options.Has(kCheckOption.name));
}

}  // namespace

const CliCommand kUpdateCommand{
    "update",
    "install a newer release, or only check for one",
    "Usage: tessaro-cli update [--check]\n"
    "\n"
    "Reads the update server's info file, as the window's \"Run update check\n"
    "now\" does. When it describes a newer release than this one, \"update\"\n"
    "downloads every file it lists beside its destination (NAME.uTMP), checks\n"
    "each one's signature, and only when all are downloaded and verified puts\n"
    "them in place, keeping the executable bits, and prints \"Updated Tessaro\n"
    "OLD \u2192 NEW\". The window is not started. Should a file fail to download or\n"
    "verify, or one fail to be put in place, the installed files stay exactly\n"
    "as they were and no download is left behind.\n"
    "\n"
    "The info file and every file count only when their signature (URL +\n"
    "\".minisig\") holds for the publisher key the program was built with; a\n"
    "build without a key reports a newer release but never installs it. An\n"
    "install this user cannot change is refused before any release file is\n"
    "downloaded; one that belongs to the system's package manager (under /usr,\n"
    "or owned by root and not writable) is updated through the package manager:\n"
    "the check says so and nothing is downloaded. The server is the one the\n"
    "program was built with; the environment variable TESSARO_UPDATE_SERVER\n"
    "overrides it (for example http://127.0.0.1:8013).\n"
    "\n"
    "  --check   only check: say whether a newer release exists, download nothing\n"
    "\n"
    "A check gives up when the server sends nothing for 30 seconds or takes\n"
    "longer than 55 seconds in all, and an info file may be at most 1 MiB.\n"
    "\n"
    "Exit status of \"update\": 0 the newer release is installed, or this one is\n"
    "up to date; 1 nothing was changed (the reason is printed).\n"
    "Exit status of \"update --check\": 0 this release is up to date, 100 a newer\n"
    "release is available (its version and release note are printed), 1 the\n"
    "check failed (no info file on the server, host unreachable, connection lost\n"
    "or stalled, an info file too large, a redirect loop or a refused redirect,\n"
    "an answer that is not HTTP, a missing or bad signature).\n"
    "Both: 2 for bad arguments.\n",
    RunUpdate,
};

}  // namespace tessaro::cli
