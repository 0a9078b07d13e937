#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "UiTestSupport.h"
#include "update/ui/kuRenovatorUpgradeMsg.h"

namespace tessaro {
namespace {

using test::ControlText;
using test::OnNextModal;

using ModalFormsTest = test::UiTest;

QStringList Texts(const QWidget* form, std::initializer_list<const char*> names) {
    QStringList texts{form->objectName(), form->windowTitle()};
    for (const char* name : names) texts << ControlText(*form, name);
    return texts;
}

// The wrapped text and the footnote below it decide the form's height, and the
// button panel sits below them.
void ExpectHeightFollowsTheText(QWidget* form, QSize clientSize) {
    constexpr int panelHeight = 45;
    auto* label = form->findChild<QLabel*>("Label1");
    const int labelWidth = clientSize.width() - 45 - 11;
    EXPECT_EQ(label->geometry(), QRect(0, 0, labelWidth, label->heightForWidth(labelWidth)));
    EXPECT_EQ(form->findChild<QWidget*>("MessageArea")->geometry(),
              QRect(45, 5, labelWidth, label->height()));
    EXPECT_GT(label->height(), 2 * label->fontMetrics().height());
    const auto* footnote = form->findChild<QLabel*>("Footnote");
    int textBottom = 5 + label->height();
    if (!footnote->isHidden()) {
        EXPECT_EQ(footnote->geometry(), QRect(45, textBottom + 6, labelWidth, footnote->height()));
        textBottom = footnote->geometry().bottom() + 1;
    }
    EXPECT_EQ(form->size(), QSize(clientSize.width(), textBottom + panelHeight));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->findChild<QWidget*>("BottomPanel")->geometry(),
              QRect(0, form->height() - panelHeight, form->width(), panelHeight));
}

TEST_F(ModalFormsTest, ALongReleaseNoteScrollsInABoxOfBoundedHeight) {
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaro"));
    std::string note;
    for (int line = 1; line <= 60; ++line)
        note += "Fixed thing number " + std::to_string(line) + ".\n";
    OnNextModal answer([](QWidget* form) {
        const auto* area = form->findChild<QScrollArea*>("MessageArea");
        const auto* label = form->findChild<QLabel*>("Label1");
        EXPECT_LE(area->height(), 240);
        EXPECT_EQ(area->height() % label->fontMetrics().lineSpacing(), 0) << "whole lines";
        EXPECT_GT(label->height(), area->height());
        EXPECT_TRUE(area->verticalScrollBar()->isVisible());
        EXPECT_LE(label->width() + area->verticalScrollBar()->width(), area->width())
            << "no text under the scroll bar";
        const auto* footnote = form->findChild<QLabel*>("Footnote");
        EXPECT_TRUE(footnote->isVisible());
        EXPECT_GE(footnote->y(), area->geometry().bottom());
        EXPECT_LT(form->height(), 240 + 2 * footnote->height() + 45 + 20);
        form->findChild<QPushButton*>("LaterBtn")->click();
    });
    EXPECT_FALSE(ShowUpgradeBox(note, "1.2.1.2 \u2192 1.2.1.3"));
    EXPECT_TRUE(answer.Ran());
}

TEST_F(ModalFormsTest, UpgradeQuestionNamesTheApplicationAndTheReleaseNote) {
    const QString ending = "Do you want to update your version with the latest one?";
    const struct {
        const char* appTitle;
        const char* note;
        const char* button;
        QString text;
        QString versions;
    } cases[] = {
        {"Tessaro", "Faster encoding.", "YesBtn",
         "A newer version of Tessaro was released.\n\nFaster encoding.\n\n" + ending,
         "1.2.1.2 \u2192 1.2.1.3"},
        {"Tessaro", "", "LaterBtn", "A newer version of Tessaro was released.\n\n" + ending, ""},
        {"Pendrel Video", "", "YesBtn", "A newer version of <AppTitle> was released.\n\n" + ending,
         ""},
        {"pendrel", "", "LaterBtn", "A newer version of pendrel was released.\n\n" + ending, ""}};
    for (const auto& c : cases) {
        QApplication::setApplicationDisplayName(QString::fromLatin1(c.appTitle));
        OnNextModal answer([&c](QWidget* form) {
            EXPECT_EQ(Texts(form, {"Label1", "Footnote", "YesBtn", "LaterBtn"}),
                      QStringList({"kuRenovatorUpgradeMessageForm", "Application update wizard",
                                   c.text, c.versions, "&Yes", "&Later"}));
            EXPECT_EQ(form->findChild<QLabel*>("Footnote")->isHidden(), c.versions.isEmpty());
            EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            ExpectHeightFollowsTheText(form, {318, 119});
            test::ExpectPlaces(*form, {{"Icon", {7, 5, 32, 32}},
                                       {"YesBtn", {78, 13, 75, 23}},
                                       {"LaterBtn", {167, 13, 75, 23}}});
            EXPECT_TRUE(form->findChild<QPushButton*>("YesBtn")->isDefault());
            form->findChild<QPushButton*>(c.button)->click();
        });
        EXPECT_EQ(ShowUpgradeBox(c.note, c.versions.toStdString()),
                  QLatin1String(c.button) == "YesBtn")
            << c.appTitle;
        EXPECT_TRUE(answer.Ran());
    }
}

}  // namespace
}  // namespace tessaro
