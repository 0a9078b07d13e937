#include <QGroupBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "UiTestSupport.h"
#include "update/ui/kuRenovatorWidgetDialogs.h"
#include "update/ui/kuRenovatorWizard.h"

namespace tessaro {
namespace {

using test::AnswerNextMessageBox;
using test::WaitUntil;

class WizardTest : public test::UiTest {
protected:
    void TearDown() override {
        dialogs_.DestroyWizard();
        EXPECT_TRUE(WaitUntil([this] { return form_.isNull(); }));
    }

    TkuRenovatorWizardForm& Open() {
        dialogs_.ShowRenovatorWizard(host_);
        form_ = kuRenovatorWizardForm();
        return *form_;
    }
    template <typename T = QWidget>
    T* Control(const char* name) const {
        return form_->findChild<T*>(QString::fromLatin1(name));
    }
    QString Text(const char* name) const { return test::ControlText(*form_, name); }

    test::RecordingWizardHost host_;
    TkuRenovatorWidgetDialogs dialogs_;
    QPointer<TkuRenovatorWizardForm> form_;
};

QStringList ChildNames(const QWidget* parent) {
    QStringList names;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        names << child->objectName();
    return names;
}

TEST_F(WizardTest, ControlsAreCreatedInOrderAtTheirPlaces) {
    TkuRenovatorWizardForm& form = Open();
    EXPECT_EQ(form.objectName(), "kuRenovatorWizardForm");
    EXPECT_EQ(form.size(), QSize(463, 281));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(ChildNames(&form),
              QStringList({"Bevel1", "WizardTitle", "AboutShadow", "AboutLabel", "AfterNote",
                           "Panel1", "LCurrentFile", "LAllFiles", "FinishBtn", "CancelBtn"}));
    EXPECT_EQ(ChildNames(Control("LCurrentFile")),
              QStringList({"LDownloadingFileFrom", "FileURL", "LFileSize", "LTransferRate",
                           "LEstimatedTime", "ProgressCurrentFile"}));
    EXPECT_EQ(ChildNames(Control("LAllFiles")),
              QStringList({"AllDownloading", "ProgressAllFiles"}));
    // clang-format off
    test::ExpectPlaces(form, {
        {"Bevel1", {10, 238, 447, 13}}, {"WizardTitle", {136, 10, 0, 0}}, {"AboutShadow", {31, 234, 0, 0}},
        {"AboutLabel", {30, 233, 0, 0}}, {"AfterNote", {136, 44, 319, 0}}, {"Panel1", {10, 10, 120, 220}},
        {"Image1", {1, 1, 118, 218}}, {"LCurrentFile", {136, 34, 319, 125}},
        {"LDownloadingFileFrom", {6, 14, 0, 0}}, {"FileURL", {10, 28, 301, 13}}, {"LFileSize", {6, 44, 0, 0}},
        {"LTransferRate", {6, 60, 0, 0}}, {"LEstimatedTime", {6, 76, 0, 0}},
        {"ProgressCurrentFile", {6, 96, 307, 22}}, {"LAllFiles", {136, 162, 319, 67}},
        {"AllDownloading", {6, 16, 0, 0}}, {"ProgressAllFiles", {6, 38, 307, 22}},
        {"FinishBtn", {296, 248, 75, 25}}, {"CancelBtn", {380, 248, 75, 25}}});
    // clang-format on
    EXPECT_FALSE(Control("FinishBtn")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>("CancelBtn")->isDefault());
    EXPECT_EQ(Control<QProgressBar>("ProgressAllFiles")->maximum(), 100);

    auto* url = Control<QLineEdit>("FileURL");
    dialogs_.ShowWizardFile("http://127.0.0.1/upgrade/a.exe", "Downloading 1 of 2");
    QTest::keyClicks(url, "typed");
    QTest::keyClick(url, Qt::Key_Backspace);
    EXPECT_EQ(url->text(), "http://127.0.0.1/upgrade/a.exe");
    EXPECT_FALSE(url->focusPolicy() & Qt::TabFocus);
}

TEST_F(WizardTest, HiddenFileLocationMovesTheRowsUpOnceHoweverOftenTheWizardOpens) {
    const struct {
        bool hide;
        int sizeTop, rateTop, timeTop, barTop;
        QRect group;
    } cases[] = {{false, 44, 60, 76, 96, {136, 34, 319, 125}},
                 {true, 14, 30, 46, 66, {136, 44, 319, 95}}};
    for (const auto& c : cases) {
        host_.settings.HideFileLocation = c.hide;
        Open();
        Open();
        EXPECT_EQ(Control("LFileSize")->y(), c.sizeTop) << c.hide;
        EXPECT_EQ(Control("LTransferRate")->y(), c.rateTop) << c.hide;
        EXPECT_EQ(Control("LEstimatedTime")->y(), c.timeTop) << c.hide;
        EXPECT_EQ(Control("ProgressCurrentFile")->y(), c.barTop) << c.hide;
        EXPECT_EQ(Control("LCurrentFile")->geometry(), c.group) << c.hide;
        EXPECT_EQ(Control("FileURL")->isHidden(), c.hide);
        EXPECT_EQ(Control("LDownloadingFileFrom")->isHidden(), c.hide);
    }
}

TEST_F(WizardTest, SettingsChooseStayingOnTopAndTheSidePicture) {
    host_.settings.StayOnTop = false;
    EXPECT_FALSE(Open().windowFlags() & Qt::WindowStaysOnTopHint);
    host_.settings.StayOnTop = true;
    host_.settings.Pic118x218 = QImage(118, 218, QImage::Format_RGB32);
    host_.settings.Pic118x218.fill(Qt::red);
    EXPECT_TRUE(Open().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Control<QLabel>("Image1")->pixmap().toImage().pixelColor(60, 100), QColor(Qt::red));
}

TEST_F(WizardTest, TextsFollowTheMessageLanguage) {
    const struct {
        const char* control;
        int message;
        const char* english;
    } texts[] = {{"WizardTitle", 1, "Downloading files..."},
                 {"LCurrentFile", 3, " Current file "},
                 {"LAllFiles", 4, " All files "},
                 {"LDownloadingFileFrom", 5, "Downloading file from"},
                 {"LEstimatedTime", 22, "Preparing. . ."},
                 {"FinishBtn", 18, "&Next >"},
                 {"CancelBtn", 17, "&Cancel"}};
    EXPECT_EQ(Open().windowTitle(), "Application update wizard");
    EXPECT_EQ(Text("AboutLabel"), " Renovator ");
    for (const auto& text : texts) EXPECT_EQ(Text(text.control), text.english) << text.control;

    SetRenovatorLanguage(TkuRenovatorLanguage::wlGerman);
    EXPECT_EQ(Open().windowTitle(), "Upgrade Anwendungsassistent");
    for (const auto& text : texts) {
        EXPECT_NE(Text(text.control), text.english) << text.control;
        EXPECT_TRUE(Text(text.control).contains(QString::fromStdString(KULangStr(text.message))))
            << text.control;
    }
}

// With the fonts the bootstrap installs no row runs into its group's frame or
// caption and no text reaches past its group, in English and in German.
TEST_F(WizardTest, EveryTextFitsInsideItsGroupWithTheInstalledFonts) {
    for (const auto language : {TkuRenovatorLanguage::wlEnglish, TkuRenovatorLanguage::wlGerman}) {
        SetRenovatorLanguage(language);
        for (const bool hide : {true, false}) {
            SCOPED_TRACE(KULangStr(0) + (hide ? ", location hidden" : ""));
            host_.settings.HideFileLocation = hide;
            Open();
            dialogs_.ShowWizardFile("http://127.0.0.1:8013/upgrade/tessaro/tessaro-cli",
                                    KUFmtLangStr(9, {std::int64_t{2}, std::int64_t{6}}));
            dialogs_.ShowWizardFileSize(KUFmtLangStr(6, {1843.7}));
            dialogs_.ShowWizardProgress(
                43, 24, KUFmtLangStr(7, {812.5}),
                KUFmtLangStr(8, {std::int64_t{0}, std::int64_t{0}, std::int64_t{3}}));
            for (const char* name : {"LCurrentFile", "LAllFiles"}) {
                const auto* group = Control<QGroupBox>(name);
                for (const QWidget* row :
                     group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (row->isHidden()) continue;
                    EXPECT_TRUE(group->contentsRect().contains(row->geometry()))
                        << row->objectName().toStdString();
                    EXPECT_GE(row->y(), group->fontMetrics().height())
                        << row->objectName().toStdString() << " under the caption";
                }
            }
            EXPECT_LE(Control("WizardTitle")->geometry().right(),
                      Control("LCurrentFile")->geometry().right());
        }
    }
}

TEST_F(WizardTest, ProgressFromTheEngineLandsInItsControls) {
    Open();
    dialogs_.ShowWizardFile("http://127.0.0.1:8013/upgrade/tessaro/Lang.ini", "Downloading 3 of 4");
    dialogs_.ShowWizardFileSize("File size: 12.5 Kb");
    dialogs_.ShowWizardProgress(50, 62, "Transfer rate: 3.2 Kb/s", "Estimated time left: 0:01:05");
    EXPECT_EQ(Text("FileURL"), "http://127.0.0.1:8013/upgrade/tessaro/Lang.ini");
    EXPECT_EQ(Text("AllDownloading"), "Downloading 3 of 4");
    EXPECT_EQ(Text("LFileSize"), "File size: 12.5 Kb");
    EXPECT_EQ(Text("LTransferRate"), "Transfer rate: 3.2 Kb/s");
    EXPECT_EQ(Text("LEstimatedTime"), "Estimated time left: 0:01:05");
    EXPECT_EQ(Control<QProgressBar>("ProgressCurrentFile")->value(), 50);
    EXPECT_EQ(Control<QProgressBar>("ProgressAllFiles")->value(), 62);
}

TEST_F(WizardTest, FinishSaysCompletedOnlyWithoutASkippedFile) {
    const struct {
        int installed, skipped;
        const char *title, *note;
    } cases[] = {{4, 0, "Upgrade completed!",
                  "The update of Tessaro has been successfully completed.\n\n"
                  "Press the OK button to restart program."},
                 {3, 1, "Upgrade not complete",
                  "3 files will be installed and 1 were skipped: the update of Tessaro is not "
                  "complete.\n\nPress the OK button to restart program."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Open();
        dialogs_.FinishWizard(c.installed, c.skipped);
        EXPECT_EQ(Text("WizardTitle"), c.title);
        EXPECT_EQ(Text("AfterNote"), c.note);
        auto* note = Control<QLabel>("AfterNote");
        EXPECT_EQ(note->size(), QSize(319, note->heightForWidth(319)));
        EXPECT_GT(note->height(), 2 * note->fontMetrics().height());
        EXPECT_TRUE(Control("LCurrentFile")->isHidden());
        EXPECT_TRUE(Control("LAllFiles")->isHidden());
        EXPECT_FALSE(Control("CancelBtn")->isEnabled());
        EXPECT_TRUE(Control("FinishBtn")->isEnabled());
        EXPECT_EQ(Text("FinishBtn"), "&OK");
        EXPECT_EQ(form_->focusWidget(), Control("FinishBtn"));
    }
}

enum class Closing { CancelButton, TitleBar, EscapeKey, TitleBarWhenFinished, FinishButton };

TEST_F(WizardTest, ClosingByTheUserAsksWhetherToAbortExceptByTheFinishButton) {
    const struct {
        Closing how;
        QMessageBox::StandardButton answer;
        bool asked, closed;
    } cases[] = {{Closing::CancelButton, QMessageBox::Yes, true, true},
                 {Closing::CancelButton, QMessageBox::No, true, false},
                 {Closing::TitleBar, QMessageBox::Yes, true, true},
                 {Closing::TitleBar, QMessageBox::No, true, false},
                 {Closing::EscapeKey, QMessageBox::Yes, true, true},
                 {Closing::TitleBarWhenFinished, QMessageBox::Yes, true, true},
                 {Closing::FinishButton, QMessageBox::Yes, false, true}};
    for (const auto& c : cases) {
        const int how = static_cast<int>(c.how);
        host_ = {};
        Open();
        AnswerNextMessageBox question(c.answer);
        switch (c.how) {
            case Closing::CancelButton:
                Control<QPushButton>("CancelBtn")->click();
                break;
            case Closing::EscapeKey:
                QTest::keyClick(form_, Qt::Key_Escape);
                break;
            case Closing::TitleBarWhenFinished:
                form_->Finish(4, 0);
                [[fallthrough]];
            case Closing::TitleBar:
                form_->close();
                break;
            case Closing::FinishButton:
                form_->Finish(4, 0);
                Control<QPushButton>("FinishBtn")->click();
        }
        EXPECT_TRUE(WaitUntil([&] { return form_.isNull() || question.Asked(); })) << how;
        EXPECT_EQ(question.Asked(), c.asked) << how;
        if (c.asked) {
            EXPECT_EQ(question.text,
                      "The update is not completed.\nWould you like to abort upgrading?");
            EXPECT_EQ(question.caption, "Tessaro");
            EXPECT_EQ(question.icon, QMessageBox::Question);
            EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
        }
        EXPECT_EQ(WaitUntil([this] { return form_.isNull(); }, 300), c.closed) << how;
        EXPECT_EQ(dialogs_.WizardOpen(), !c.closed) << how;
        EXPECT_EQ(host_.releases, c.closed ? 1 : 0) << how;
        EXPECT_EQ(host_.aborts, c.closed && c.asked ? 1 : 0) << how;
        EXPECT_FALSE(host_.aborts && host_.lastAbortForced) << how;
    }
}

TEST_F(WizardTest, EngineEndsTheWizardWithoutCallingBackEvenDuringTheQuestion) {
    Open();
    dialogs_.DestroyWizard();
    EXPECT_FALSE(dialogs_.WizardOpen());
    EXPECT_TRUE(WaitUntil([this] { return form_.isNull(); }));

    Open();
    bool questionLeftOpen = false;
    test::OnNextModal destroyDuringQuestion([&](QWidget*) {
        dialogs_.DestroyWizard();
        QTimer::singleShot(300, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            questionLeftOpen = true;
            box->button(QMessageBox::No)->click();
        });
    });
    Control<QPushButton>("CancelBtn")->click();
    EXPECT_TRUE(WaitUntil([this] { return form_.isNull(); }));
    EXPECT_TRUE(destroyDuringQuestion.Ran());
    EXPECT_FALSE(questionLeftOpen);

    // An engine box over the wizard is no abort question: the wizard still goes.
    Open();
    test::OnNextModal destroyDuringError([&](QWidget* box) {
        dialogs_.DestroyWizard();
        QTimer::singleShot(300, box, [box] { box->close(); });
    });
    dialogs_.ErrorBox("Connection with remote server lost.");
    EXPECT_TRUE(WaitUntil([this] { return form_.isNull(); }));
    EXPECT_EQ(host_.releases, 0);
    EXPECT_EQ(host_.aborts, 0);
}

TEST_F(WizardTest, PaintedWizardIsNotBlank) {
    const QImage shot = Open().grab().toImage();
    ASSERT_EQ(shot.size(), QSize(463, 281));
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 40);
    // The default side picture is drawn, light at the bottom.
    EXPECT_LT(qGray(shot.pixel(40, 20)), qGray(shot.pixel(40, 220)));
}

}  // namespace
}  // namespace tessaro
