#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "update/renovator/kuRenovatorDialogs.h"
#include "update/renovator/kuRenovatorLanguage.h"

namespace tessaro::test {

// An engine as the dialogs see it, recording what they ask of it.
struct RecordingWizardHost final : TkuRenovatorWizardHost {
    TkuRenovatorWizard settings;
    int aborts = 0, releases = 0, credentialsStored = 0;
    bool lastAbortForced = true;
    std::string username, password;

    const TkuRenovatorWizard& Wizard() const override { return settings; }
    void Abort(bool force) override {
        ++aborts;
        lastAbortForced = force;
    }
    void ReleaseWait() override { ++releases; }
    std::string HTTPUsername() const override { return username; }
    void SetHTTPUsername(const std::string& value) override { username = value; }
    void SetHTTPPassword(const std::string& value) override {
        password = value;
        ++credentialsStored;
    }
};

class UiTest : public testing::Test {
protected:
    void SetUp() override {
        SetRenovatorLanguage(TkuRenovatorLanguage::wlEnglish);
        QApplication::setApplicationDisplayName(QStringLiteral("Tessaro"));
    }
};

// Runs the event loop, deferred deletions included, until `done` holds.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.hasExpired(timeoutMs)) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Acts on the next modal window from inside its own event loop.
class OnNextModal final {
public:
    explicit OnNextModal(std::function<void(QWidget*)> action) : action_(std::move(action)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            timer_.stop();
            ran_ = true;
            action_(modal);
        });
        timer_.start(5);
    }
    bool Ran() const { return ran_; }

private:
    std::function<void(QWidget*)> action_;
    QTimer timer_;
    bool ran_ = false;
};

// Records the next message box and answers it.
class AnswerNextMessageBox final {
public:
    explicit AnswerNextMessageBox(QMessageBox::StandardButton answer)
        : modal_([this, answer](QWidget* modal) {
              auto* box = qobject_cast<QMessageBox*>(modal);
              ASSERT_NE(box, nullptr);
              caption = box->windowTitle();
              text = box->text();
              icon = box->icon();
              buttons = box->standardButtons();
              owner = box->parentWidget();
              onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
              applicationModal = box->windowModality() == Qt::ApplicationModal;
              box->button(answer)->click();
          }) {}
    bool Asked() const { return modal_.Ran(); }

    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* owner = nullptr;
    bool onTop = false, applicationModal = false;

private:
    OnNextModal modal_;
};

inline QString ControlText(const QWidget& form, const char* name) {
    const QWidget* control = form.findChild<QWidget*>(QString::fromLatin1(name));
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    return QStringLiteral("<no control %1>").arg(QString::fromLatin1(name));
}

// Each named control of `form` at its place; a width or height of 0 leaves
// that side to the control, as for labels that size themselves.
inline void ExpectPlaces(const QWidget& form,
                         std::initializer_list<std::pair<const char*, QRect>> places) {
    for (const auto& [name, expected] : places) {
        const auto* control = form.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        const QRect actual = control->geometry();
        EXPECT_EQ(actual.topLeft(), expected.topLeft()) << name;
        EXPECT_TRUE(expected.width() == 0 || actual.width() == expected.width()) << name;
        EXPECT_TRUE(expected.height() == 0 || actual.height() == expected.height()) << name;
    }
}

}  // namespace tessaro::test
