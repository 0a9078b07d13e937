#include "app/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <iostream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "app/CompareText.h"
#include "app/Dropfilelistview.h"
#include "app/JobListItems.h"
#include "app/QtEventPump.h"
#include "app/SaveBeforePowerOff.h"
#include "encode/AddFiles.h"
#include "encode/DeviceProfile.h"
#include "encode/JobsAtOnce.h"
#include "encode/MediaInfo.h"
#include "encode/ScriptError.h"
#include "encode/ScriptWriter.h"
#include "platform/DesktopNotifier.h"
#include "platform/Folders.h"
#include "platform/MachineCores.h"
#include "platform/PowerManager.h"
#include "settings/InstallMarkers.h"
#include "settings/LocalisableNames.h"
#include "settings/StatusTexts.h"
#include "update/renovator/UpdateConfiguration.h"
#include "update/renovator/kuRenovator.h"
#include "update/ui/kuRenovatorWidgetDialogs.h"
#include "update/utils/kuEnvironment.h"

namespace tessaro {
namespace {

constexpr char kApplicationTitle[] = "Tessaro";
constexpr char kDeviceName[] = "Tessaro 1.0";
// Longest stretch of probing before the window gets to repaint and take input.
constexpr qint64 kAddSliceMs = 100;
constexpr int kUpdateCheckWatchMs = 100;

}  // namespace

TMainForm::TMainForm(QWidget* parent, platform::IPowerManager* power, platform::INotifier* notifier)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MainForm"));
    if (power == nullptr) {
        ownPower_ = std::make_unique<platform::LogindPowerManager>();
        power = ownPower_.get();
    }
    power_ = std::make_unique<SaveBeforePowerOff>(*power, [this] { SaveProfileFromControls(); });
    if (notifier == nullptr) {
        ownNotifier_ = std::make_unique<platform::FreedesktopNotifier>();
        notifier = ownNotifier_.get();
    }
    notifier_ = notifier;
    pump_ = std::make_unique<QtEventPump>();
    // Held for the window's life: every probe and report would otherwise load
    // and unload the library again.
    mediaInfoHeld_ = LoadMediaInfoLibrary() == 1;
    programVersion_ =
        RecordInstallMarkers(QCoreApplication::applicationFilePath().toStdString()).programVersion;
    BuildWindow();
    CreateRenovator();
    addTimer_ = new QTimer(this);
    addTimer_->setSingleShot(true);
    addTimer_->setInterval(0);
    ConnectHandlers();
    FormCreate();
}

TMainForm::~TMainForm() {
    // Before its dialogs go: an open wizard still refers to the engine.
    delete Renovator;
    if (mediaInfoHeld_) {
        UnloadMediaInfoLibrary();
    }
}

void TMainForm::ConnectHandlers() {
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMainForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TMainForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TMainForm::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TMainForm::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TMainForm::Button6Click);
    connect(UpdateButton, &QPushButton::clicked, this, &TMainForm::UpdateButtonClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::SpeedButton2Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TMainForm::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TMainForm::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::toggled, this, &TMainForm::CheckBox3Click);
    connect(ComboBox4, &QComboBox::activated, this, &TMainForm::ComboBox4Change);
    connect(ComboBox4->lineEdit(), &QLineEdit::textEdited, this, &TMainForm::ComboBox4Change);
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& /*deselected*/) {
                ListView1Change();
                if (!selected.isEmpty()) {
                    ListView1SelectItem(
                        ListView1->topLevelItem(selected.indexes().constFirst().row()), true);
                }
            });
    connect(ListView1, &QTreeWidget::itemChanged, this, &TMainForm::ListView1Change);
    connect(ListView1->model(), &QAbstractItemModel::rowsInserted, this,
            &TMainForm::ListView1Change);
    connect(ListView1->model(), &QAbstractItemModel::rowsRemoved, this,
            &TMainForm::ListView1Change);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &TMainForm::ListView1ColumnClick);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, &TMainForm::Item0Click);
    connect(ListView1, &TDropFileListView::OnDropFiles, this, &TMainForm::ListView1DropFiles);
    connect(addTimer_, &QTimer::timeout, this, &TMainForm::AddNextPendingFile);
}

void TMainForm::FormCreate() {
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    // The menu is defined for its handlers but the list offers none.
    ListView1->setContextMenuPolicy(Qt::PreventContextMenu);
    Label6->hide();
    SpeedButton2->hide();
    CheckBox5->hide();
    ComboBox4->clear();
    ComboBox4->addItem(QString::fromLatin1(kDeviceName));
    tempFolder_ = platform::TempFolder();
    profileFolder_ = platform::ProfileFolder();
    IStatusBar& statusBar = *this;
    IRunStateView& view = *this;
    run_ =
        std::make_unique<RunControl>(tempFolder_, "window", statusBar, view, *power_, pump_.get());
    runProgress_ = std::make_unique<RunProgressView>(*RunProgressBar, *ListView1);
    run_->SetProgressObserver(
        [this](const RunProgress& progress) { runProgress_->Show(progress); });
    LoadLanguage(LoadProfileIntoControls());
    ListView1->clear();
    GroupBox1->setVisible(CheckBox2->isChecked());
    ComboBox3->setEnabled(CheckBox3->isChecked());
    PageControl1->setCurrentWidget(TabSheet1);
    AdjustWindowSize();
    CentreOnScreen();
}

int TMainForm::LoadProfileIntoControls() {
    const ProfileSettings profile = LoadProfile(profileFolder_);
    OutPath->setText(QString::fromStdString(profile.outputFolder));
    CheckBox2->setChecked(profile.fileDetails);
    CheckBox4->setChecked(profile.unsupportFormatEncoding);
    CheckBox5->setChecked(profile.showEncodingConsole);
    ComboBox2->setCurrentIndex(FitSelectorIndex(profile.videoBitrate, ComboBox2->count()));
    CheckBox3->setChecked(profile.copyTo);
    SelectDrive(profile.driveIndex, profile.driveMountPoint);
    ComboBox4->setCurrentIndex(FitSelectorIndex(profile.deviceSerial, ComboBox4->count()));
    // A count this computer has no cores for, from another one, falls back to Auto.
    ComboBox5->setCurrentIndex(
        std::max(FitSelectorIndex(profile.jobsAtOnce, ComboBox5->count()), kJobsAtOnceAuto));
    return profile.languageValue;
}

// The stored mount point wins over the index, which only counts positions in a
// list that changes with the plugged volumes.
void TMainForm::SelectDrive(int driveIndex, const std::string& mountPoint) {
    if (!mountPoint.empty()) {
        const int found = ComboBox3->findText(QString::fromStdString(mountPoint), Qt::MatchExactly);
        ComboBox3->setCurrentIndex(found);
        return;
    }
    ComboBox3->setCurrentIndex(FitSelectorIndex(driveIndex, ComboBox3->count()));
}

ProfileSettings TMainForm::ProfileFromControls() const {
    ProfileSettings profile;
    profile.outputFolder = OutPath->text().toStdString();
    profile.fileDetails = CheckBox2->isChecked();
    profile.unsupportFormatEncoding = CheckBox4->isChecked();
    profile.showEncodingConsole = CheckBox5->isChecked();
    profile.videoBitrate = ComboBox2->currentIndex();
    profile.copyTo = CheckBox3->isChecked();
    profile.driveIndex = ComboBox3->currentIndex();
    profile.driveMountPoint =
        profile.driveIndex >= 0 ? ComboBox3->itemText(profile.driveIndex).toStdString() : "";
    profile.deviceSerial = ComboBox4->currentIndex();
    profile.languageValue = ComboBox1->currentIndex();
    profile.jobsAtOnce = JobsAtOnceSetting();
    return profile;
}

int TMainForm::JobsAtOnceSetting() const {
    return std::max(ComboBox5->currentIndex(), kJobsAtOnceAuto);
}

ScriptOptions TMainForm::ScriptOptionsFromControls() const {
    ScriptOptions options;
    options.serial = DeviceSerial();
    options.bitrateIndex = ComboBox2->currentIndex();
    options.outputFolder = OutPath->text().toStdString();
    options.copyToDrive = CheckBox3->isChecked();
    options.drive = ComboBox3->currentIndex() >= 0
                        ? ComboBox3->itemText(ComboBox3->currentIndex()).toStdString()
                        : "";
    options.unsupportedOnly = CheckBox4->isChecked();
    options.exeFolder = platform::ProgramFolder();
    options.tempFolder = tempFolder_;
    options.dialect = ScriptDialect::sh;
    return options;
}

void TMainForm::SaveProfileFromControls() {
    std::string error;
    if (!SaveProfile(profileFolder_, ProfileFromControls(), &error)) {
        std::cerr << "tessaro: settings not saved: " << error << '\n';
    }
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMainForm::FormShow() {
    if (!commandLineFiles_.isEmpty()) {
        AddFiles(std::exchange(commandLineFiles_, {}));
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (closeBlocked_) {
        event->ignore();
        return;
    }
    StopAdding();
    FormClose();
    event->accept();
}

void TMainForm::FormClose() {
    SaveProfileFromControls();
    run_->CloseCleanUp();
}

void TMainForm::EndSession() {
    if (Running()) {
        closeAfterRun_ = true;
        run_->Stop();
        return;
    }
    if (QWidget* dialog = QApplication::activeModalWidget(); dialog != nullptr && dialog != this) {
        dialog->close();
    }
    close();
}

void TMainForm::ActivateFromInstance(const QStringList& files) {
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
    AddFiles(files);
}

int TMainForm::AddFiles(const QStringList& paths) {
    if (paths.isEmpty()) {
        return -1;
    }
    if (!adder_) {
        adder_ = std::make_unique<FileAdder>(DeviceSerial());
    }
    std::vector<std::string> files;
    files.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths) {
        files.push_back(path.toStdString());
    }
    adder_->Append(files);
    addTotal_ += static_cast<int>(paths.size());
    AddProgress->setRange(0, addTotal_);
    AddProgress->setValue(addDone_);
    AddProgress->setVisible(addTotal_ > 1);
    if (!addTimer_->isActive()) {
        addTimer_->start();
    }
    return 0;
}

bool TMainForm::IsAdding() const {
    return (adder_ && adder_->HasNext()) || addTimer_->isActive();
}

// Rows are listed in short slices between turns of the event loop, so the
// window repaints and answers input while a long list is being added; the
// files after them are probed meanwhile on every core, as the command line does.
void TMainForm::AddNextPendingFile() {
    QElapsedTimer slice;
    slice.start();
    AddFilesObserver skipsUnreported;
    while (adder_->HasNext() && slice.elapsed() < kAddSliceMs) {
        const auto listed = static_cast<size_t>(ListView1->topLevelItemCount());
        if (const std::optional<JobRow> row = adder_->Next(listed, skipsUnreported)) {
            ListJobRow(*row);
        }
        ++addDone_;
    }
    AddProgress->setValue(addDone_);
    if (adder_->HasNext()) {
        addTimer_->start();
    } else {
        FinishAdding();
    }
}

// The row with the reason for its Support cell.
void TMainForm::ListJobRow(const JobRow& row) {
    QTreeWidgetItem* item = MakeJobItem(row);
    item->setToolTip(kSupportColumn,
                     QString::fromStdString(ExplainJob(row, DeviceSerial(), reasonTexts_)));
    ListView1->addTopLevelItem(item);
}

void TMainForm::FinishAdding() {
    adder_.reset();
    addTimer_->stop();
    addTotal_ = 0;
    addDone_ = 0;
    AddProgress->hide();
    emit AddingFinished();
}

void TMainForm::StopAdding() {
    if (IsAdding()) {
        FinishAdding();
    }
}

int TMainForm::DeviceSerial() const {
    return ComboBox4->currentIndex();
}

QTreeWidgetItem* TMainForm::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TMainForm::Button3Click() {
    OpenDialog1->selectFile(QString());
    OpenDialog1->selectNameFilter(OpenDialog1->nameFilters().constFirst());
    if (OpenDialog1->exec() == QDialog::Accepted) {
        AddFiles(OpenDialog1->selectedFiles());
    }
}

// The row goes without another taking its selection: the details pane keeps
// the report it shows.
void TMainForm::DeleteSelectedRow() {
    QTreeWidgetItem* selected = SelectedRow();
    if (selected == nullptr) {
        return;
    }
    ListView1->setCurrentItem(nullptr);
    delete selected;
}

void TMainForm::Button4Click() {
    DeleteSelectedRow();
}

void TMainForm::Item2Click() {
    DeleteSelectedRow();
}

void TMainForm::Button5Click() {
    ListView1->clear();
    ClearDetails();
}

void TMainForm::ClearDetails() {
    Details->clear();
    DetailsReason->clear();
}

void TMainForm::Button6Click() {
    close();
}

void TMainForm::CreateRenovator() {
    Renovator = new TkuRenovator(this);
    updateCheckWatch_ = new QTimer(this);
    updateCheckWatch_->setInterval(kUpdateCheckWatchMs);
    connect(updateCheckWatch_, &QTimer::timeout, this, [this] {
        if (!Renovator->Checking()) ShowUpdateCheckEnded();
    });
    ConfigureRenovator(*Renovator);
    renovatorDialogs_ = std::make_unique<TkuRenovatorWidgetDialogs>();
    Renovator->SetDialogs(renovatorDialogs_.get());
    // The engine closes this window once the update helper runs.
    SetApplicationMainWindow(this);
}

void TMainForm::AfterStart(const QString& firstParameter) {
    Renovator->Loaded(firstParameter.toStdString());
}

// While its check runs the button cancels it, so a server that never answers
// never leaves the button dead.
void TMainForm::UpdateButtonClick() {
    if (Renovator->Checking()) {
        Renovator->Abort(true);
        ShowUpdateCheckEnded();
        return;
    }
    Renovator->SetInfoFileURL(CheckInfoFileURL());
    Renovator->CheckUpdate(false);
    if (!Renovator->Checking()) return;
    updateCaption_ = UpdateButton->text();
    UpdateButton->setText(updateCheckCancelCaption_);
    updateCheckWatch_->start();
}

void TMainForm::ShowUpdateCheckEnded() {
    updateCheckWatch_->stop();
    if (!updateCaption_.isEmpty()) UpdateButton->setText(updateCaption_);
    updateCaption_.clear();
}

void TMainForm::SpeedButton1Click() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, selectDirCaption_, OutPath->text());
    if (!folder.isEmpty()) {
        OutPath->setText(folder);
    }
}

void TMainForm::SpeedButton2Click() {
    SaveProfileFromControls();
}

void TMainForm::CheckBox1Click() {
    QPalette colours = CheckBox1->palette();
    const QColor text =
        CheckBox1->isChecked() ? QColor(Qt::red) : palette().color(QPalette::WindowText);
    colours.setColor(QPalette::WindowText, text);
    colours.setColor(QPalette::ButtonText, text);
    CheckBox1->setPalette(colours);
}

void TMainForm::CheckBox2Click() {
    GroupBox1->setVisible(CheckBox2->isChecked());
    if (CheckBox2->isChecked()) {
        ClearDetails();
    }
    AdjustWindowSize();
}

void TMainForm::CheckBox3Click() {
    ComboBox3->setEnabled(CheckBox3->isChecked());
}

// Each row's decision depends on the device, so a new device empties the list.
void TMainForm::ComboBox4Change() {
    StopAdding();
    Button5Click();
}

void TMainForm::ListView1Change() {
    QTreeWidgetItem* selected = SelectedRow();
    if (selected == nullptr) {
        Label3->setText(QString());
        return;
    }
    Label3->setText(QStringLiteral("%1/%2")
                        .arg(ListView1->indexOfTopLevelItem(selected) + 1)
                        .arg(ListView1->topLevelItemCount()));
}

void TMainForm::ListView1ColumnClick(int column) {
    SortByColumn(column);
}

void TMainForm::SortItemClick() {
    if (const auto* item = qobject_cast<QAction*>(sender())) {
        SortByColumn(item->data().toInt());
    }
}

void TMainForm::SortByColumn(int column) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    sortColumn_ = static_cast<uint8_t>(column);
    QTreeWidgetItem* selected = SelectedRow();
    std::vector<QTreeWidgetItem*> items;
    while (ListView1->topLevelItemCount() > 0) {
        items.push_back(ListView1->takeTopLevelItem(0));
    }
    std::stable_sort(items.begin(), items.end(),
                     [this](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
                         return ListView1Compare(a, b) < 0;
                     });
    for (QTreeWidgetItem* item : items) {
        ListView1->addTopLevelItem(item);
    }
    if (selected != nullptr) {
        ListView1->setCurrentItem(selected);
    }
    QApplication::restoreOverrideCursor();
}

int TMainForm::ListView1Compare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const {
    const int column = (sortColumn_ >= 1 && sortColumn_ <= 6) ? sortColumn_ : 0;
    return CompareText(item1->text(column).toStdString(), item2->text(column).toStdString());
}

void TMainForm::ListView1DropFiles(QObject* /*sender*/, const QStringList& files) {
    AddFiles(files);
}

void TMainForm::ListView1SelectItem(QTreeWidgetItem* item, bool selected) {
    if (!selected || item == nullptr || !CheckBox2->isChecked()) {
        return;
    }
    const QString path = item->text(0);
    if (QFileInfo(path).isFile()) {
        ShowFileDetails(path);
        DetailsReason->setText(item->toolTip(kSupportColumn));
    }
}

void TMainForm::Item0Click() {
    if (const QTreeWidgetItem* selected = SelectedRow()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(selected->text(0)));
    }
}

void TMainForm::ShowFileDetails(const QString& path) {
    MediaInfo info;
    try {
        info.Open(path.toStdString());
    } catch (const std::invalid_argument&) {
        return;
    }
    info.Option("Inform", "");
    info.Option("Complete", "");
    const std::string report = info.Inform();
    info.Close();
    Details->setPlainText(QString::fromStdString(report));
}

}  // namespace tessaro

namespace tessaro {

void TMainForm::LoadLanguage(int storedIndex, const std::string& languageFilePath) {
    const LanguageChoice choice = tessaro::LoadLanguage(languageFilePath, storedIndex);
    if (choice.names.empty()) {
        ComboBox1->setCurrentIndex(0);
        return;
    }
    ComboBox1->clear();
    for (const std::string& name : choice.names) {
        ComboBox1->addItem(QString::fromStdString(name));
    }
    ComboBox1->setCurrentIndex(choice.selectedIndex);
    if (!choice.section) {
        return;
    }
    ApplyLanguage(*choice.section);
    reasonTexts_ =
        ReasonTexts::Localised([&choice](std::string_view key, std::string_view english) {
            return choice.section->Caption(key, english);
        });
    selectDirCaption_ = QString::fromStdString(choice.section->SelectDirCaption());
    updateCheckCancelCaption_ = QString::fromStdString(choice.section->UpdateCheckCancelCaption());
    SetCharset(choice.section->Charset());
    run_->SetStatusTexts(StoppedText(), CompletedText(), FailedJobsText());
}

namespace {

QString Caption(const LanguageSection& section, const QObject& control, const QString& current) {
    return QString::fromStdString(
        section.Caption(control.objectName().toStdString(), current.toStdString()));
}

}  // namespace

void TMainForm::ApplyLanguage(const LanguageSection& section) {
    for (QObject* control : findChildren<QObject*>()) {
        if (!FindLocalisableName(control->objectName().toStdString())) {
            continue;
        }
        if (auto* page = qobject_cast<QWidget*>(control);
            page != nullptr && PageControl1->indexOf(page) >= 0) {
            const int index = PageControl1->indexOf(page);
            PageControl1->setTabText(index, Caption(section, *page, PageControl1->tabText(index)));
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->setText(Caption(section, *button, button->text()));
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(Caption(section, *label, label->text()));
        } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
            group->setTitle(Caption(section, *group, group->title()));
        } else if (auto* list = qobject_cast<TDropFileListView*>(control)) {
            QTreeWidgetItem* header = list->headerItem();
            for (int column = 0; column < list->columnCount(); ++column) {
                header->setText(column, QString::fromStdString(section.ColumnCaption(
                                            column, header->text(column).toStdString())));
            }
        } else if (auto* item = qobject_cast<QAction*>(control)) {
            item->setText(Caption(section, *item, item->text()));
        } else if (qobject_cast<QStatusBar*>(control) != nullptr) {
            SetStoppedText(section.StoppedText());
            SetCompletedText(section.CompletedText());
            SetFailedJobsText(section.FailedJobsText());
        }
    }
}

void TMainForm::SetCharset(int charset) {
    // Japanese glyphs come from a Japanese face rather than whatever the
    // fallback would pick for the shared Han characters.
    const QStringList families =
        charset == kShiftJisCharset
            ? QStringList{font().family(), QStringLiteral("Noto Sans CJK JP")}
            : QStringList{font().family()};
    static const QStringList kCaptionedClasses = {
        QStringLiteral("QLabel"),      QStringLiteral("QCheckBox"),
        QStringLiteral("QPushButton"), QStringLiteral("QGroupBox"),
        QStringLiteral("QStatusBar"),  QStringLiteral("tessaro::TDropFileListView")};
    const auto setFamilies = [&families](QWidget* widget) {
        QFont changed = widget->font();
        changed.setFamilies(families);
        widget->setFont(changed);
    };
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (kCaptionedClasses.contains(QString::fromLatin1(widget->metaObject()->className()))) {
            setFamilies(widget);
        }
    }
    // A page's caption is drawn by the tab bar; the page's own font would pass
    // on to every control on it.
    setFamilies(PageControl1->tabBar());
}

}  // namespace tessaro

namespace tessaro {

void TMainForm::SetPanelText(int panel, const std::string& text) {
    QLabel* target = panel == kJobPanel ? StatusPanel0 : StatusPanel1;
    target->setText(QString::fromStdString(text));
    // The panels are narrow; the whole text stays readable as a tip.
    target->setToolTip(target->text());
}

void TMainForm::SetEncodeCommandsEnabled(bool enabled) {
    for (QWidget* command : {static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button6),
                             static_cast<QWidget*>(UpdateButton)}) {
        command->setEnabled(enabled);
    }
    ListView1->setContextMenuPolicy(Qt::PreventContextMenu);
}

void TMainForm::SetStopEnabled(bool enabled) {
    Button2->setEnabled(enabled);
}

void TMainForm::SetCloseBlocked(bool blocked) {
    closeBlocked_ = blocked;
    if (blocked) {
        emit RunStarted();
    }
}

bool TMainForm::ShowEncodingConsole() const {
    return CheckBox5->isChecked();
}

bool TMainForm::ShutdownAfterEncoding() const {
    return CheckBox1->isChecked();
}

void TMainForm::MinimizeApplication() {
    showMinimized();
}

void TMainForm::RestoreApplication() {
    showNormal();
}

bool TMainForm::ConfirmPowerOff(const std::string& runEnd) {
    const QString end = QString::fromStdString(runEnd);
    if (!isActiveWindow())
        notifier_->Notify("Tessaro", runEnd + ": the computer powers off in " +
                                         std::to_string(powerOffCountdownSeconds) + " s");
    ShutdownCountdown countdown(end, powerOffCountdownSeconds, this);
    return countdown.exec() == QDialog::Accepted;
}

// The panel says how the run ended; a user looking elsewhere hears it too.
void TMainForm::NotifyRunEndWhenAway() {
    if (!isActiveWindow()) notifier_->Notify("Tessaro", StatusPanel0->text().toStdString());
}

void TMainForm::EndProgramWithoutSaving() {
    endedForPowerOff_ = true;
    hide();
    QCoreApplication::exit(0);
}

// A script that cannot be written starts no run; the reason goes where the
// run's own failures go.
template <typename Encode>
void TMainForm::RunEncode(Encode encode, QTreeWidgetItem* onlyRow) {
    if (run_->Running() || ListView1->topLevelItemCount() == 0) {
        return;
    }
    std::vector<QTreeWidgetItem*> jobRows;
    for (int row = 0; row < ListView1->topLevelItemCount(); ++row) {
        if (onlyRow == nullptr || ListView1->topLevelItem(row) == onlyRow)
            jobRows.push_back(ListView1->topLevelItem(row));
    }
    runProgress_->Start(std::move(jobRows));
    const JobList rows = JobRowsOf(*ListView1);
    run_->SetJobsAtOnce(JobsAtOnce(JobsAtOnceSetting(), platform::MachineCores(), rows));
    try {
        encode(rows, ScriptOptionsFromControls());
        NotifyRunEndWhenAway();
    } catch (const ScriptError& error) {
        RunProgressBar->hide();
        SetPanelText(kJobPanel, error.what());
        SetPanelText(kStatusPanel, "");
    }
    if (std::exchange(closeAfterRun_, false)) {
        close();
    }
}

void TMainForm::Button1Click() {
    RunEncode([this](const JobList& rows, const ScriptOptions& options) {
        run_->EncodeAll(rows, options);
    });
}

void TMainForm::Item4Click() {
    QTreeWidgetItem* selected = SelectedRow();
    if (selected == nullptr) {
        return;
    }
    const int row = ListView1->indexOfTopLevelItem(selected);
    RunEncode([this, row](const JobList& rows,
                          const ScriptOptions& options) { run_->EncodeOne(rows, row, options); },
              selected);
}

void TMainForm::EncodeByClick() {
    const auto* entry = qobject_cast<QAction*>(sender());
    if (entry == nullptr) {
        return;
    }
    const int group = entry->property("group").toInt();
    const std::string value = entry->property("value").toString().toStdString();
    RunEncode([this, group, &value](const JobList& rows, const ScriptOptions& options) {
        run_->EncodeBy(group, value, rows, options);
    });
}

void TMainForm::Button2Click() {
    run_->Stop();
}

void TMainForm::PopupMenu1Popup() {
    QTreeWidgetItem* selected = SelectedRow();
    const PopupMenuState state = tessaro::PopupMenu1Popup(
        JobRowsOf(*ListView1), selected ? ListView1->indexOfTopLevelItem(selected) : -1);
    const auto enable = [this](const char* name, bool enabled) {
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(enabled);
    };
    enable("Item0", state.openEnabled);
    enable("Item2", state.deleteEnabled);
    enable("Item4", state.encodeOneEnabled);
    enable("Item1", state.sortEnabled);
    enable("Item3", state.clearEnabled);
    enable("Item5", state.encodeAllEnabled);
    enable("Item6", state.encodeByEnabled);
    if (ListView1->topLevelItemCount() > 0) {
        RebuildEncodeByMenu(state.encodeBy);
    }
}

void TMainForm::RebuildEncodeByMenu(const std::vector<EncodeByGroup>& groups) {
    EncodeByMenu->clear();
    for (const EncodeByGroup& group : groups) {
        QMenu* groupMenu = EncodeByMenu->addMenu(ListView1->headerItem()->text(group.listColumn));
        for (const std::string& value : group.values) {
            QAction* entry = groupMenu->addAction(QString::fromStdString(value));
            entry->setProperty("group", group.group);
            entry->setProperty("value", QString::fromStdString(value));
            connect(entry, &QAction::triggered, this, &TMainForm::EncodeByClick);
        }
    }
}

}  // namespace tessaro
