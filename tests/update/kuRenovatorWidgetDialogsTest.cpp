#include "UiTestSupport.h"
#include "update/ui/kuRenovatorWidgetDialogs.h"
#include "update/ui/kuRenovatorWizard.h"

namespace tessaro {
namespace {

using WidgetDialogsTest = test::UiTest;

enum class Box { Error, Information, LostFile };

TEST_F(WidgetDialogsTest, EngineMessageBoxesCarryTheirCaptionIconAndButtons) {
    TkuRenovatorWidgetDialogs dialogs;
    const struct {
        Box box;
        QMessageBox::StandardButton answer;
        bool result;
        QString caption;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    } cases[] = {{Box::Error, QMessageBox::Ok, false, "Application update wizard",
                  QMessageBox::Critical, QMessageBox::Ok},
                 {Box::Information, QMessageBox::Ok, false, "Application update wizard",
                  QMessageBox::Information, QMessageBox::Ok},
                 {Box::LostFile, QMessageBox::Yes, true, "Error #404", QMessageBox::Warning,
                  QMessageBox::Yes | QMessageBox::No},
                 {Box::LostFile, QMessageBox::No, false, "Error #404", QMessageBox::Warning,
                  QMessageBox::Yes | QMessageBox::No}};
    for (const auto& c : cases) {
        const int box = static_cast<int>(c.box);
        test::AnswerNextMessageBox answer(c.answer);
        bool result = false;
        switch (c.box) {
            case Box::Error:
                dialogs.ErrorBox("Connection lost.");
                break;
            case Box::Information:
                dialogs.InformationBox("Connection lost.");
                break;
            case Box::LostFile:
                result = dialogs.AskSkipLostFile("Connection lost.", "Error #404");
        }
        ASSERT_TRUE(answer.Asked()) << box;
        EXPECT_EQ(result, c.result) << box;
        EXPECT_EQ(answer.caption, c.caption) << box;
        EXPECT_EQ(answer.text, "Connection lost.") << box;
        EXPECT_EQ(answer.icon, c.icon) << box;
        EXPECT_EQ(answer.buttons, c.buttons) << box;
        EXPECT_EQ(answer.onTop, c.box == Box::LostFile) << box;
        EXPECT_TRUE(answer.applicationModal) << box;
        EXPECT_EQ(answer.owner, nullptr) << box;
    }
}

TEST_F(WidgetDialogsTest, MessageBoxesStayAboveAnOpenWizard) {
    TkuRenovatorWidgetDialogs dialogs;
    test::RecordingWizardHost host;
    dialogs.ShowRenovatorWizard(host);
    ASSERT_TRUE(dialogs.WizardOpen());
    {
        test::AnswerNextMessageBox answer(QMessageBox::Ok);
        dialogs.ErrorBox("Host http://127.0.0.1 unreachable.");
        EXPECT_EQ(answer.owner, kuRenovatorWizardForm());
    }
    dialogs.DestroyWizard();
    EXPECT_FALSE(dialogs.WizardOpen());
    EXPECT_EQ(host.releases, 0);
}

}  // namespace
}  // namespace tessaro
