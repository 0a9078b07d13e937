#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>

#include "EncodeSupport.h"

namespace tessaro::testing {
namespace {

// The program ends itself after asking for power-off, so this runs alone.
TEST(ShutdownWindowTest, ShutdownAfterACompletedRunSavesTheSettingsFirst) {
    EncodingUser user;
    RecordingPowerManager power;
    std::string profileAtPowerOff;
    struct Recorder final : platform::IPowerManager {
        RecordingPowerManager& inner;
        std::string& profile;
        const EncodingUser& user;
        Recorder(RecordingPowerManager& i, std::string& p, const EncodingUser& u)
            : inner(i), profile(p), user(u) {}
        bool PowerOff() override {
            profile = ReadText(user.ProfileFile());
            return inner.PowerOff();
        }
    } recorder(power, profileAtPowerOff, user);

    TMainForm form(nullptr, &recorder);
    form.show();
    Control<QCheckBox>(form, "CheckBox1")->click();
    Control<QComboBox>(form, "ComboBox2")->setCurrentIndex(4);
    AddAndWait(form, {CorpusPath("xvid.avi")});
    Control<QPushButton>(form, "Button1")->click();

    EXPECT_EQ(power.powerOffRequests, 1);
    EXPECT_TRUE(form.EndedForPowerOff());
    EXPECT_FALSE(form.isVisible());
    EXPECT_NE(profileAtPowerOff.find("VideoBitrate=4"), std::string::npos) << profileAtPowerOff;
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(user.ScriptFile())))
        << "the close handling does not run";
}

}  // namespace
}  // namespace tessaro::testing
