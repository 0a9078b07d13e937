#include "update/ui/kuRenovatorWizard.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include "update/renovator/kuRenovatorLanguage.h"
#include "update/ui/kuBevel.h"
#include "update/ui/kuRenovatorFormLook.h"
#include "update/ui/kuRenovatorMessageBox.h"

namespace tessaro {
namespace {

QPointer<TkuRenovatorWizardForm> theWizardForm;

constexpr QLatin1String kAbortQuestionName("AbortQuestion");

constexpr QSize kClientSize(463, 281);
constexpr QRect kCurrentFileGeometry(136, 34, 319, 125);
constexpr QRect kAllFilesGeometry(136, 162, 319, 67);
constexpr int kPageWidth = 319;
constexpr int kAboutFontPixels = 12;
constexpr int kTitleFontPixels = 19;
// Rows of the current-file group, by top: with the source line and without it.
constexpr int kDownloadingFromTop = 14;
constexpr int kFileSizeTop = 44;
constexpr int kLineSpacing = 16;
constexpr int kBarBelowTime = 20;
constexpr int kHiddenLocationShift = 10;
constexpr int kHiddenLocationShrink = 30;

// The side picture shown unless the engine supplies one.
QPixmap DefaultSidePicture() {
    QImage image(118, 218, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, image.height());
    gradient.setColorAt(0, QColor(0x1c, 0x3f, 0x7a));
    gradient.setColorAt(1, QColor(0x8f, 0xc1, 0xee));
    painter.fillRect(image.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.addPolygon(QPolygonF(
        {{47, 60}, {71, 60}, {71, 110}, {89, 110}, {59, 150}, {29, 110}, {47, 110}, {47, 60}}));
    painter.fillPath(arrow, QColor(255, 255, 255, 210));
    painter.fillRect(QRect(29, 160, 60, 8), QColor(255, 255, 255, 210));
    return QPixmap::fromImage(image);
}

QProgressBar* NewProgressBar(QWidget* parent, const QString& objectName, QPoint topLeft) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(objectName);
    bar->setGeometry(QRect(topLeft, QSize(307, 22)));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

// The caption sits on the frame's top line, as the rows' places expect: a
// caption above the frame, as most styles draw it, would push the line down
// through the first row.
constexpr char kGroupBoxStyle[] =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; }";

QGroupBox* NewGroupBox(QWidget* parent, const QString& objectName, const QRect& geometry) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(objectName);
    group->setStyleSheet(QString::fromLatin1(kGroupBoxStyle));
    group->setGeometry(geometry);
    return group;
}

QLineEdit* NewFileURL(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("FileURL"));
    edit->setGeometry(10, 28, 301, 13);
    edit->setFrame(false);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setFont(RenovatorFont(QStringLiteral("MS Sans Serif"), kAboutFontPixels));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, palette.color(QPalette::Highlight));
    edit->setPalette(palette);
    return edit;
}

QLabel* NewEngravedLabel(QWidget* parent, const QString& objectName, QPoint topLeft,
                         QPalette::ColorRole color) {
    QLabel* label = NewLabel(parent, objectName, topLeft);
    label->setFont(RenovatorFont(QStringLiteral("MS Sans Serif"), kAboutFontPixels));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(color));
    label->setPalette(palette);
    return label;
}

// Where Times New Roman is missing its stand-in is wider: a long title is set
// smaller rather than cut at the form's edge.
void SetTitleText(QLabel& title, const std::string& text) {
    QFont font = title.font();
    for (int pixels = kTitleFontPixels; pixels >= kuFormFontPixels; --pixels) {
        font.setPixelSize(pixels);
        title.setFont(font);
        SetLabelText(title, text);
        if (title.width() <= kPageWidth) return;
    }
}

QString Bordered(int message) {
    return QString::fromStdString(" " + KULangStr(message) + " ");
}

}  // namespace

TkuRenovatorWizardForm::TkuRenovatorWizardForm() {
    SetUpForm(*this, QStringLiteral("kuRenovatorWizardForm"), kClientSize);
    auto* bevel = new TkuTopBevel(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(10, 238, 447, 13);
    wizardTitle_ = NewLabel(this, QStringLiteral("WizardTitle"), {136, 10});
    QFont titleFont = RenovatorFont(QStringLiteral("Times New Roman"), kTitleFontPixels);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    wizardTitle_->setFont(titleFont);
    // The shadow comes first so that the text lies on it, one pixel up and left.
    aboutShadow_ =
        NewEngravedLabel(this, QStringLiteral("AboutShadow"), {31, 234}, QPalette::Light);
    // The engraved text interrupts the separator line rather than lying on it.
    aboutShadow_->setAutoFillBackground(true);
    aboutLabel_ = NewEngravedLabel(this, QStringLiteral("AboutLabel"), {30, 233}, QPalette::Dark);
    afterNote_ = NewLabel(this, QStringLiteral("AfterNote"), {136, 44});
    afterNote_->setWordWrap(true);
    afterNote_->resize(kPageWidth, kuFormFontPixels + 2);
    CreatePicture();
    CreateCurrentFileGroup();
    CreateAllFilesGroup();
    finishBtn_ = NewButton(this, QStringLiteral("FinishBtn"), {296, 248, 75, 25});
    finishBtn_->setEnabled(false);
    connect(finishBtn_, &QPushButton::clicked, this, [this] {
        closeKind_ = TCloseKind::Finished;
        close();
    });
    cancelBtn_ = NewButton(this, QStringLiteral("CancelBtn"), {380, 248, 75, 25});
    cancelBtn_->setDefault(true);
    // Like the title bar's close box: the question comes from the close itself.
    connect(cancelBtn_, &QPushButton::clicked, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
    });
}

void TkuRenovatorWizardForm::CreatePicture() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(10, 10, 120, 220);
    image1_ = new QLabel(panel);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(panel->contentsRect());
    image1_->setScaledContents(true);
    image1_->setPixmap(DefaultSidePicture());
}

void TkuRenovatorWizardForm::CreateCurrentFileGroup() {
    currentFile_ = NewGroupBox(this, QStringLiteral("LCurrentFile"), kCurrentFileGeometry);
    downloadingFileFrom_ =
        NewLabel(currentFile_, QStringLiteral("LDownloadingFileFrom"), {6, kDownloadingFromTop});
    fileURL_ = NewFileURL(currentFile_);
    fileSize_ = NewLabel(currentFile_, QStringLiteral("LFileSize"), {6, 44});
    transferRate_ = NewLabel(currentFile_, QStringLiteral("LTransferRate"), {6, 60});
    estimatedTime_ = NewLabel(currentFile_, QStringLiteral("LEstimatedTime"), {6, 76});
    progressCurrentFile_ =
        NewProgressBar(currentFile_, QStringLiteral("ProgressCurrentFile"), {6, 96});
}

void TkuRenovatorWizardForm::CreateAllFilesGroup() {
    allFiles_ = NewGroupBox(this, QStringLiteral("LAllFiles"), kAllFilesGeometry);
    allDownloading_ = NewLabel(allFiles_, QStringLiteral("AllDownloading"), {6, 16});
    progressAllFiles_ = NewProgressBar(allFiles_, QStringLiteral("ProgressAllFiles"), {6, 38});
}

void TkuRenovatorWizardForm::Prepare(TkuRenovatorWizardHost& host) {
    host_ = &host;
    const std::string about = " " + LoadLangString(kuRenovatorNameId) + " ";
    SetLabelText(*aboutLabel_, about);
    SetLabelText(*aboutShadow_, about);
    const TkuRenovatorWizard& settings = host.Wizard();
    setWindowFlag(Qt::WindowStaysOnTopHint, settings.StayOnTop);
    LayoutFileLocation(settings.HideFileLocation);
    image1_->setPixmap(settings.Pic118x218.isNull() ? DefaultSidePicture()
                                                    : QPixmap::fromImage(settings.Pic118x218));
    SetTexts();
}

// Absolute positions, so that opening the wizard again never moves the rows twice.
void TkuRenovatorWizardForm::LayoutFileLocation(bool hidden) {
    downloadingFileFrom_->setVisible(!hidden);
    fileURL_->setVisible(!hidden);
    const int sizeTop = hidden ? kDownloadingFromTop : kFileSizeTop;
    fileSize_->move(6, sizeTop);
    transferRate_->move(6, sizeTop + kLineSpacing);
    estimatedTime_->move(6, sizeTop + 2 * kLineSpacing);
    progressCurrentFile_->move(6, sizeTop + 2 * kLineSpacing + kBarBelowTime);
    const QRect withoutLocation = kCurrentFileGeometry.adjusted(
        0, kHiddenLocationShift, 0, kHiddenLocationShift - kHiddenLocationShrink);
    currentFile_->setGeometry(hidden ? withoutLocation : kCurrentFileGeometry);
}

void TkuRenovatorWizardForm::SetTexts() {
    SetLabelText(*estimatedTime_, KULangStr(22));
    setWindowTitle(QString::fromStdString(KULangStr(0)));
    SetTitleText(*wizardTitle_, KULangStr(1));
    currentFile_->setTitle(Bordered(3));
    allFiles_->setTitle(Bordered(4));
    SetLabelText(*downloadingFileFrom_, KULangStr(5));
    finishBtn_->setText(QString::fromStdString(KULangStr(18)));
    cancelBtn_->setText(QString::fromStdString(KULangStr(17)));
}

void TkuRenovatorWizardForm::ShowFile(const std::string& url, const std::string& allDownloading) {
    fileURL_->setText(QString::fromStdString(url));
    fileURL_->setCursorPosition(0);
    SetLabelText(*allDownloading_, allDownloading);
}

void TkuRenovatorWizardForm::ShowFileSize(const std::string& text) {
    SetLabelText(*fileSize_, text);
}

void TkuRenovatorWizardForm::ShowProgress(std::uint8_t percentsDone, std::uint8_t totalPercentsDone,
                                          const std::string& transferRate,
                                          const std::string& timeLeft) {
    progressCurrentFile_->setValue(percentsDone);
    progressAllFiles_->setValue(totalPercentsDone);
    SetLabelText(*transferRate_, transferRate);
    SetLabelText(*estimatedTime_, timeLeft);
}

// A skipped file makes the page say what was left out, never "completed".
void TkuRenovatorWizardForm::Finish(int installed, int skipped) {
    const std::string title = ApplicationTitle().toStdString();
    SetTitleText(*wizardTitle_, KULangStr(skipped == 0 ? 2 : 38));
    SetWrappedLabelText(
        *afterNote_, kPageWidth,
        skipped == 0 ? KUFmtLangStr(10, {title})
                     : KUFmtLangStr(37, {std::int64_t{installed}, std::int64_t{skipped}, title}));
    currentFile_->hide();
    allFiles_->hide();
    cancelBtn_->setEnabled(false);
    cancelBtn_->setDefault(false);
    finishBtn_->setText(QString::fromStdString(KULangStr(16)));
    finishBtn_->setEnabled(true);
    finishBtn_->setDefault(true);
    finishBtn_->setFocus();
}

void TkuRenovatorWizardForm::CloseWithoutHost() {
    closeKind_ = TCloseKind::WithoutHost;
    if (theWizardForm == this) theWizardForm = nullptr;
    // While the abort question is open the form is already closing: end the
    // question, and the close under way finishes without the engine.
    if (auto* question = findChild<QMessageBox*>(kAbortQuestionName)) {
        question->done(QMessageBox::NoButton);
        return;
    }
    close();
}

// Escape acts as the Cancel button, and not at all once that is disabled.
void TkuRenovatorWizardForm::reject() {
    cancelBtn_->click();
}

bool TkuRenovatorWizardForm::ConfirmAbort() {
    const TkuMessageBoxStyle style{QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, false,
                                   kAbortQuestionName};
    return RenovatorMessageBox(this, ApplicationTitle(), QString::fromStdString(KULangStr(27)),
                               style) == QMessageBox::Yes;
}

void TkuRenovatorWizardForm::closeEvent(QCloseEvent* event) {
    const bool abort = closeKind_ == TCloseKind::Ask && ConfirmAbort();
    if (closeKind_ == TCloseKind::Ask && !abort) {
        event->ignore();
        return;
    }
    event->accept();
    if (closeKind_ == TCloseKind::WithoutHost || !host_) return;
    if (theWizardForm == this) theWizardForm = nullptr;
    host_->ReleaseWait();
    if (abort) host_->Abort(false);
}

TkuRenovatorWizardForm* kuRenovatorWizardForm() {
    return theWizardForm;
}

void ShowRenovatorWizard(TkuRenovatorWizardHost& host) {
    const bool created = !theWizardForm;
    if (created) theWizardForm = new TkuRenovatorWizardForm;
    theWizardForm->Prepare(host);
    if (created) CenterOnScreen(*theWizardForm);
    theWizardForm->show();
    theWizardForm->raise();
    theWizardForm->activateWindow();
}

}  // namespace tessaro
