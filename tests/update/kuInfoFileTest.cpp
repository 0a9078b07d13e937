#include "update/info/kuInfoFile.h"
#include "update/info/kuInfoFileCheck.h"
#include "update/info/kuVersionControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

using Method = TdyUpgradeMethod;
using Control = TkuRenovatorVersionControl;

struct ValueCase {
    std::string text;
    std::string key;
    bool braced;
    std::string value;
};

TEST(InfoFileValue, FirstOccurrenceAnywhereWithoutCaseAndNeverTheLastTwoCharacters) {
    const std::vector<ValueCase> cases = {
        {"#version=1.2.1.3\r\n", "#version", false, "1.2.1.3"},
        {"#version=1.2.1.3", "#version", false, "1.2.1"},
        {"#version=1.2.1.3\n", "#version", false, "1.2.1."},
        {"#VERSION=1.3\r\n", "#version", false, "1.3"},
        {"x#version=1.3\r\n", "#version", false, "1.3"},
        {"#version=1.3\r\n#version=1.4\r\n", "#version", false, "1.3"},
        {"#Url=http://H/App.exe=%current%App.exe\r\n", "#url", false,
         "http://H/App.exe=%current%App.exe"},
        {"#version=1.3\tnote\r\n", "#version", false, "1.3"},
        {"#version=\r\n#date=1\r\n", "#version", false, ""},
        {"#date=11/19/2009\r\n", "#version", false, ""},
        {"#version=1", "#version", false, ""},
        {"", "#version", false, ""},
        {"#message={Faster start-up.\r\nFixed the settings dialog.}\r\n", "#message", true,
         "Faster start-up.\r\nFixed the settings dialog."},
        {"#MESSAGE={a}b}\r\n", "#message", true, "a"},
        {"#message={Never closed\r\n#method=1\r\n", "#message", true, "Never closed\r\n#method=1"},
        {"#message=plain\r\n", "#message", true, ""},
        {"#message={Grüße}\r\n", "#message", true, "Grüße"},
        {"#version=1.3 é\r\n", "#version", false, "1.3 é"},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(InfoFileValue(c.text, c.key, c.braced), c.value) << c.text;
}

struct EntriesCase {
    std::string keys;
    std::vector<std::string> entries;
};

std::vector<std::string> Entries(const std::string& text) {
    TkuStringList files;
    files.Add("left over");
    ReadInfoFileEntries(text, files);
    std::vector<std::string> entries;
    for (int i = 0; i < files.Count(); ++i) entries.push_back(files.Strings(i));
    return entries;
}

TEST(InfoFileEntries, NumberingStartsAfterTheUnnumberedEntriesAndStopsAtAGap) {
    const std::vector<EntriesCase> cases = {
        {"#url=a\r\n#url2=b\r\n#url3=c\r\n", {"a", "b", "c"}},
        {"#url0=a\r\n#url1=b\r\n#url2=c\r\n", {"a", "c"}},
        {"#url1=a\r\n#url3=c\r\n", {"a"}},
        {"#url=a\r\n#url0=b\r\n#url2=x\r\n#url3=c\r\n#url4=d\r\n", {"a", "b", "c", "d"}},
        {"#url1=a\r\n#url2=b\r\n#url3=c\r\n#url4=d\r\n", {"a", "b", "c", "d"}},
        {"#url=a\r\n#url0=A\r\n#url2=b\r\n", {"a", "b"}},
        {"#url2=a\r\n", {}},
        {"#version=1.3\r\n", {}},
        {"#url=http://S/u/LangJ.ini=%current%LangJ.ini\r\n",
         {"http://S/u/LangJ.ini=%current%LangJ.ini"}},
    };
    for (const EntriesCase& c : cases) EXPECT_EQ(Entries(c.keys), c.entries) << c.keys;
}

TEST(InfoFileMethod, OnlyTheFirstCharacterCounts) {
    const std::vector<std::pair<std::string, Method>> cases = {
        {"#method=0\r\n", Method::umSelfUpgrade},
        {"#method=1\r\n", Method::umUseExternalSetup},
        {"#method=2\r\n", Method::umRedirectToURL},
        {"#method=2x\r\n", Method::umRedirectToURL},
        {"#method=02\r\n", Method::umSelfUpgrade},
        {"#method=3\r\n", Method::umSelfUpgrade},
        {"#METHOD=1\r\n", Method::umUseExternalSetup},
        {"#url=a\r\n", Method::umSelfUpgrade},
    };
    for (const auto& [text, method] : cases) EXPECT_EQ(InfoFileUpgradeMethod(text), method) << text;
}

// The product compares by number only.
TEST(InfoFileVersion, NewerByNumber) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"#version=1.2.1.2\r\n", false}, {"#version=1.2.1.10\r\n", true},
        {"#version=1.2.1.3", false},     {"#version=1.3\r\n", true},
        {"#version=1.1.9.9\r\n", false}, {"#date=11/19/2009\r\n", false},
    };
    TkuRunningRelease running;
    running.VersionControl = Control::byNumber;
    running.VersionNumber = "1.2.1.2";
    for (const auto& [text, newer] : cases) EXPECT_EQ(IsNewerRelease(text, running), newer) << text;
    running.VersionNumber = "1.2a";
    EXPECT_TRUE(IsNewerRelease("#version=1.2b\r\n", running));
}

// Records the engine's side of a check; the answers are set by each case.
class EventRecorder final : public TkuInfoFileEvents {
public:
    bool allowUpgrade = true;
    bool answerYes = true;
    std::vector<std::string> calls;

    void BeginUpgrade(const std::string& upgradeMsg, TdyUpgradeMethod method, TkuStringList& files,
                      bool& canUpgrade) override {
        calls.push_back("begin " + upgradeMsg + " " + std::to_string(static_cast<int>(method)) +
                        " " + std::to_string(files.Count()) + (canUpgrade ? " can" : " cannot"));
        canUpgrade = canUpgrade && allowUpgrade;
    }
    bool AskUpgrade(const std::string& upgradeMsg) override {
        calls.push_back("ask " + upgradeMsg);
        return answerYes;
    }
    void RedirectToURL(const std::string& url) override { calls.push_back("open " + url); }
    void StartDownload() override { calls.push_back("download"); }
    void LaterUpgrade() override { calls.push_back("later"); }
    void NoUpdateAvailable() override { calls.push_back("none"); }
    void ReportNoUpdate() override { calls.push_back("report none"); }
    void ReleaseWait() override { calls.push_back("release"); }
};

const std::string kRelease =
    "#version=1.2.1.3\r\n#message={Faster.}\r\n#url=http://S/a.exe\r\n"
    "#url2=http://S/b.ini=%current%b.ini\r\n";

struct DecisionCase {
    std::string name;
    std::string text;
    TkuUpdateCheck check;
    bool allowUpgrade;
    bool answerYes;
    std::vector<std::string> calls;
    bool available;
};

TkuUpdateCheck Check(bool ask, bool reportNone, bool queryOnly) {
    TkuUpdateCheck check;
    check.Running = {Control::byNumber, "1.2.1.2", "11/18/2009"};
    check.AskUpgrade = ask;
    check.ReportNoUpdate = reportNone;
    check.QueryOnly = queryOnly;
    return check;
}

TEST(InfoFileCheck, BeginsTheUpgradeOrReportsThatNothingIsNewer) {
    const std::string begin = "begin Faster. 0 2 can";
    const TkuUpdateCheck asked = Check(true, true, false);
    // clang-format off
    const std::vector<DecisionCase> cases = {
        {"asked, yes", kRelease, asked, true, true, {begin, "ask Faster.", "download", "release"}, true},
        {"asked, no", kRelease, asked, true, false, {begin, "ask Faster.", "later", "release"}, true},
        {"not asked", kRelease, Check(false, true, false), true, false, {begin, "download", "release"}, true},
        {"handler refuses", kRelease, asked, false, true, {begin, "later", "release"}, true},
        {"query only", kRelease, Check(true, true, true), true, true, {begin, "release"}, true},
        {"redirect", kRelease + "#method=2x\r\n", asked, true, true,
         {"begin Faster. 2 2 can", "ask Faster.", "open http://S/a.exe", "release"}, true},
        {"external setup", kRelease + "#method=1\r\n", Check(false, true, false), true, true,
         {"begin Faster. 1 2 can", "download", "release"}, true},
        {"same version", "#version=1.2.1.2\r\n#url=http://S/a.exe\r\n", asked, true, true,
         {"none", "report none", "release"}, false},
        {"newer without files", "#version=1.3\r\n#url2=http://S/a.exe\r\n", asked, true, true,
         {"none", "report none", "release"}, false},
        {"not reported", "#version=1.0\r\n#url=a\r\n", Check(true, false, false), true, true,
         {"none", "release"}, false},
    };
    // clang-format on
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(c.name);
        EventRecorder events;
        events.allowUpgrade = c.allowUpgrade;
        events.answerYes = c.answerYes;
        TkuInfoFileState state;
        state.UpdateAvailable = true;
        ParseInfoFile(c.text, c.check, state, events);
        EXPECT_EQ(events.calls, c.calls);
        EXPECT_EQ(state.UpdateAvailable, c.available);
    }
}

TEST(InfoFileCheck, KeepsTheFileListAndMethod) {
    EventRecorder events;
    TkuInfoFileState state;
    ParseInfoFile(kRelease + "#method=1\r\n", Check(false, true, true), state, events);
    EXPECT_TRUE(state.UpdateAvailable);
    EXPECT_EQ(state.UpgradeMethod, Method::umUseExternalSetup);
    ASSERT_EQ(state.Files.Count(), 2);
    EXPECT_EQ(state.Files.GetName(1), "http://S/b.ini");
    EXPECT_EQ(state.Files.GetValue(1), "%current%b.ini");
}

}  // namespace
}  // namespace tessaro
