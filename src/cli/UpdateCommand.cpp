#include <QCoreApplication>

#include <array>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "settings/ProgramVersion.h"
#include "update/renovator/UpdateConfiguration.h"
#include "update/renovator/kuRenovator.h"
#include "update/renovator/kuRenovatorLanguage.h"

namespace tessaro::cli {
namespace {

constexpr int kExitNewerRelease = 100;
constexpr OptionRule kCheckOption{"--check", false};
constexpr std::array kUpdateOptions = {kCheckOption};

// A check without a window: the query phase never opens the wizard or asks,
// so only its error boxes have something to say.
class UpdateCheckReport final : public TkuRenovatorDialogs {
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
    void ErrorBox(const std::string& text) override { error = text; }
    void InformationBox(const std::string&) override {}
    bool AskSkipLostFile(const std::string&, const std::string&) override { return false; }

    std::optional<std::string> error;
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

int CheckForUpdate() {
    int argc = 1;
    char name[] = "tessaro-cli";
    char* argv[] = {name, nullptr};
    std::optional<QCoreApplication> application;
    if (!QCoreApplication::instance()) application.emplace(argc, argv);
    SetRenovatorLanguage(TkuRenovatorLanguage::wlEnglish);

    // Declared first: the engine reports to it until the engine is gone.
    UpdateCheckReport report;
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
    if (report.error) {
        const std::optional<std::string> failure = FailureText(renovator.LastFailure());
        std::cerr << "tessaro-cli update: " << failure.value_or(*report.error) << '\n';
        if (!renovator.Refusal().empty())
            std::cerr << "tessaro-cli update: refused: " << renovator.Refusal() << '\n';
        return kExitFailure;
    }
    // Only the engine's own word makes a release up to date.
    if (!newer && !noUpdate) {
        std::cerr << "tessaro-cli update: the check ended without an answer.\n";
        return kExitFailure;
    }
    if (!newer) {
        std::cout << "Tessaro " << ProgramVersionText() << " is up to date.\n";
        return kExitOk;
    }
    std::cout << "A newer version is available: " << renovator.ReleaseVersion() << " (running "
              << ProgramVersionText() << ")\n";
    if (!note.empty()) std::cout << WithoutCarriageReturns(note) << '\n';
    if (!renovator.CanVerify())
        std::cout << "This build has no publisher key (TESSARO_UPDATE_PUBLIC_KEY), so it cannot "
                     "verify this release and will not install it.\n";
    return kExitNewerRelease;
}

int RunUpdate(std::span<const std::string> arguments) {
    const CliOptions options(arguments, kUpdateOptions);
    if (!options.Operands().empty()) throw UsageError("update takes no PATH");
    if (!options.Has(kCheckOption.name)) throw UsageError("update needs --check");
    return CheckForUpdate();
}

}  // namespace

const CliCommand kUpdateCommand{
    "update",
    "check the update server for a newer release",
    "Usage: tessaro-cli update --check\n"
    "\n"
    "Reads the update server's info file, as the window's \"Run update check\n"
    "now\" does, and says whether it describes a newer release than this one.\n"
    "The info file counts only when its signature (URL + \".minisig\") holds for\n"
    "the publisher key the program was built with; a build without a key still\n"
    "reports a newer release but says it cannot verify it. Nothing is\n"
    "downloaded or installed. The server is the one the program was\n"
    "built with; the environment variable TESSARO_UPDATE_SERVER overrides it\n"
    "(for example http://127.0.0.1:8013).\n"
    "\n"
    "  --check   check only (required)\n"
    "\n"
    "A check gives up when the server sends nothing for 30 seconds or takes\n"
    "longer than 55 seconds in all, and an info file may be at most 1 MiB.\n"
    "\n"
    "Exit status: 0 this release is up to date, 100 a newer release is\n"
    "available (its version and release note are printed), 1 the check failed\n"
    "(no info file on the server, host unreachable, connection lost or stalled,\n"
    "an info file too large, a redirect loop or a refused redirect, an answer\n"
    "that is not HTTP, a missing or bad signature), 2 for bad arguments.\n",
    RunUpdate,
};

}  // namespace tessaro::cli
