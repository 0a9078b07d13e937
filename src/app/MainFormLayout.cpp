// How the main window is built and laid out: its controls, their names,
// captions, places and sizes, and the context menu. What they do is Unit1's.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <string_view>

#include "app/DriveList.h"
#include "app/Dropfilelistview.h"
#include "app/ElideMiddleDelegate.h"
#include "app/JobListItems.h"
#include "app/Unit1.h"
#include "encode/DeviceProfile.h"
#include "encode/JobsAtOnce.h"
#include "platform/MachineCores.h"

namespace tessaro {
namespace {

constexpr int kPageHeight = 391;
constexpr int kDetailsWidth = 368;

// The file dialog's filter in its Windows form: description|patterns pairs.
constexpr char kOpenDialogFilter[] =
    "Media files "
    "(*.3gp;*.asf;*.asx;*.avi;*.avs;*.divx;*.dat;*.flv;*.mkv;*.mp4;*.mpg;*.mpeg;*.mts;*.m2ts;*.mov;"
    "*.ram;*.rm;*.rmvb;*.ts;*.wmv;*.vob)|*.3gp;*.asf;*.asx;*.avi;*.avs;*.divx;*.dat;*.flv;*.mkv;*."
    "mp4;*.mpg;*.mpeg;"
    "*.mts;*.m2ts;*.mov;*.ram;*.rm;*.rmvb;*.ts;*.wmv;*.vob|Subtitle files "
    "(*.srt;*.sri;*.smi;*.txt)|"
    "*.srt;*.sri;*.smi;*.txt|All files (*.*)|*.*";

struct SortEntry {
    const char* name;
    const char* caption;
    int column;
};
constexpr std::array<SortEntry, 7> kSortEntries = {{
    {"Item10", "Name(&N)", 0},
    {"Item14", "Video Format(&V)", 1},
    {"Item11", "Codec(&C)", 2},
    {"Item12", "Width(&W)", 3},
    {"Item13", "Height(&H)", 4},
    {"Item15", "Audio Format(&A)", 5},
    {"Item16", "Support(&S)", 6},
}};

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

// The same filter as Qt writes it; "*.*" means every file, with or without a dot.
QStringList QtNameFilters() {
    const QStringList parts = QString::fromLatin1(kOpenDialogFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        const QString label = parts[index].section(QLatin1Char('('), 0, 0).trimmed();
        QString patterns = parts[index + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(QStringLiteral("%1 (%2)").arg(
            label, patterns == QLatin1String("*.*") ? QStringLiteral("*") : patterns));
    }
    return filters;
}

// Auto first, at the item index that stands for it; then every count up to
// the cores, beyond which jobs would only wait for each other.
QStringList JobsAtOnceEntries() {
    static_assert(kJobsAtOnceAuto == 0);
    QStringList entries{QStringLiteral("Auto")};
    const int cores = static_cast<int>(platform::MachineCores());
    for (int count = 1; count <= cores; ++count) entries.append(QString::number(count));
    return entries;
}

}  // namespace

void TMainForm::BuildWindow() {
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    PageControl1 =
        Place(new QTabWidget(this), "PageControl1", 0, 0, kWidthWithoutDetails, kPageHeight);
    PageControl1->setDocumentMode(true);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Files"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Options"));
    BuildFilesPage(TabSheet1);
    BuildOptionsPage(TabSheet2);

    Panel1 = Place(new QWidget(this), "Panel1", 0, kPageHeight, kWidthWithoutDetails,
                   kClientHeight - kPageHeight);
    BuildBottomPanel(Panel1);
    BuildDetailsPane();
    BuildPopupMenu();

    OpenDialog1 = new QFileDialog(this, QStringLiteral("Select file"));
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFiles);
    OpenDialog1->setSizeGripEnabled(true);
    OpenDialog1->setNameFilters(QtNameFilters());
}

void TMainForm::BuildFilesPage(QWidget* page) {
    ListView1 = Place(new TDropFileListView(page), "ListView1", 4, 4, 528, 320);
    ListView1->setColumnCount(static_cast<int>(kJobColumns.size()));
    QStringList captions;
    for (const JobColumn& column : kJobColumns) {
        captions.append(QString::fromLatin1(column.caption));
    }
    ListView1->setHeaderLabels(captions);
    for (int index = 0; index < static_cast<int>(kJobColumns.size()); ++index) {
        ListView1->setColumnWidth(index, kJobColumns[index].width);
    }
    ListView1->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed);
    ListView1->SetAcceptFiles(true);
    // However deep the folder, the file's own name stays in sight.
    ListView1->setItemDelegateForColumn(kFileNameColumn, new ElideMiddleDelegate(ListView1));

    Button3 =
        Place(new QPushButton(QStringLiteral("Add Files..."), page), "Button3", 4, 330, 90, 25);
    Button4 = Place(new QPushButton(QStringLiteral("Delete"), page), "Button4", 98, 330, 75, 25);
    Button5 =
        Place(new QPushButton(QStringLiteral("Clear List"), page), "Button5", 177, 330, 80, 25);
    Label3 = Place(new QLabel(page), "Label3", 360, 330, 168, 25);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont counterFont = Label3->font();
    counterFont.setPointSize(10);
    Label3->setFont(counterFont);
}

void TMainForm::BuildOptionsPage(QWidget* page) {
    const auto makeSelector = [page](const char* name, int x, int y, int width) {
        auto* selector = Place(new QComboBox(page), name, x, y, width, 22);
        selector->setEditable(true);
        selector->setInsertPolicy(QComboBox::NoInsert);
        return selector;
    };
    Label2 = Place(new QLabel(QStringLiteral("Language:"), page), "Label2", 12, 16, 160, 18);
    ComboBox1 = makeSelector("ComboBox1", 180, 12, 160);
    ComboBox1->addItem(QStringLiteral("English"));
    CheckBox4 = Place(new QCheckBox(QStringLiteral("Encoding unsupport file only"), page),
                      "CheckBox4", 12, 48, 400, 20);
    Label5 =
        Place(new QLabel(QStringLiteral("Video Bitrate (kbps):"), page), "Label5", 12, 84, 160, 18);
    ComboBox2 = makeSelector("ComboBox2", 180, 80, 100);
    for (const std::string_view entry : kBitrateEntries) {
        ComboBox2->addItem(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
    }
    CheckBox3 = Place(new QCheckBox(QStringLiteral("Copy to after encoding: "), page), "CheckBox3",
                      12, 116, 165, 20);
    ComboBox3 = makeSelector("ComboBox3", 180, 114, 240);
    ComboBox3->addItems(CopyTargetVolumes());
    Label4 = Place(new QLabel(QStringLiteral("Device Serial: "), page), "Label4", 12, 152, 160, 18);
    ComboBox4 = makeSelector("ComboBox4", 180, 148, 160);
    Label7 = Place(new QLabel(QStringLiteral("Jobs at once:"), page), "Label7", 12, 186, 160, 18);
    ComboBox5 = Place(new QComboBox(page), "ComboBox5", 180, 182, 100, 22);
    ComboBox5->addItems(JobsAtOnceEntries());
    CheckBox1 = Place(new QCheckBox(QStringLiteral("Shutdown after encoding"), page), "CheckBox1",
                      12, 218, 400, 20);
    UpdateButton = Place(new QPushButton(QStringLiteral("&Run update check now..."), page),
                         "UpdateButton", 12, 252, 220, 26);
    // Beside the update check, so a user can tell whether an update took.
    VersionLabel = Place(
        new QLabel(QStringLiteral("Version %1").arg(QString::fromStdString(programVersion_)), page),
        "VersionLabel", 244, 256, 200, 18);
    Label6 = Place(new QLabel(QStringLiteral("Save Config:"), page), "Label6", 12, 292, 100, 18);
    SpeedButton2 = Place(new QToolButton(page), "SpeedButton2", 120, 290, 30, 22);
    SpeedButton2->setText(QStringLiteral(". . ."));
    SpeedButton2->setAutoRaise(true);
    CheckBox5 = Place(new QCheckBox(QStringLiteral("Show encoding console"), page), "CheckBox5", 12,
                      322, 300, 20);
}

void TMainForm::BuildBottomPanel(QWidget* panel) {
    Label1 = Place(new QLabel(QStringLiteral("Output Folder:"), panel), "Label1", 8, 6, 200, 16);
    OutPath = Place(new QLabel(panel), "OutPath", 8, 24, 494, 22);
    OutPath->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    OutPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SpeedButton1 = Place(new QToolButton(panel), "SpeedButton1", 506, 24, 26, 22);
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setAutoRaise(true);
    CheckBox2 = Place(new QCheckBox(QStringLiteral("Show File Details"), panel), "CheckBox2", 8, 58,
                      250, 20);
    Button1 = Place(new QPushButton(QStringLiteral("Encode"), panel), "Button1", 272, 86, 84, 28);
    Button2 = Place(new QPushButton(QStringLiteral("Stop"), panel), "Button2", 360, 86, 84, 28);
    Button2->setEnabled(false);
    Button6 = Place(new QPushButton(QStringLiteral("Exit"), panel), "Button6", 448, 86, 84, 28);

    StatusBar1 = Place(new QStatusBar(panel), "StatusBar1", 0, 124, kWidthWithoutDetails, 23);
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel;
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(70);
    StatusPanel0->setAlignment(Qt::AlignCenter);
    StatusPanel1 = new QLabel;
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setMinimumWidth(50);
    for (QLabel* panel : {StatusPanel0, StatusPanel1}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(StatusPanel1, 1);
    AddProgress = new QProgressBar;
    AddProgress->setObjectName(QStringLiteral("AddProgress"));
    AddProgress->setMaximumWidth(140);
    AddProgress->setFormat(QStringLiteral("%v/%m"));
    AddProgress->hide();
    StatusBar1->addPermanentWidget(AddProgress);
    RunProgressBar = new QProgressBar;
    RunProgressBar->setObjectName(QStringLiteral("RunProgressBar"));
    RunProgressBar->setMaximumWidth(170);
    RunProgressBar->hide();
    StatusBar1->addPermanentWidget(RunProgressBar);
}

void TMainForm::BuildDetailsPane() {
    GroupBox1 = Place(new QGroupBox(QStringLiteral("Properties"), this), "GroupBox1",
                      kWidthWithoutDetails, 0, kDetailsWidth, kClientHeight);
    // Why the file is converted as it is, above the library's report.
    DetailsReason = Place(new QLabel(GroupBox1), "DetailsReason", 5, 14, 360, 36);
    DetailsReason->setWordWrap(true);
    DetailsReason->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont reasonFont = DetailsReason->font();
    reasonFont.setBold(true);
    DetailsReason->setFont(reasonFont);
    Details = Place(new QPlainTextEdit(GroupBox1), "Details", 5, 52, 360, 482);
    Details->setReadOnly(true);
    Details->setFrameShape(QFrame::NoFrame);
    Details->setLineWrapMode(QPlainTextEdit::NoWrap);
    Details->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont reportFont(QStringLiteral("Courier New"), 8);
    reportFont.setStyleHint(QFont::Monospace);
    Details->setFont(reportFont);
    QPalette colours = Details->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    colours.setColor(QPalette::Text, QColor(0x00, 0x80, 0x80));
    Details->setPalette(colours);
}

void TMainForm::BuildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto addItem = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    const auto addSubmenu = [this](const char* name, const char* caption) {
        QMenu* submenu = PopupMenu1->addMenu(QString::fromLatin1(caption));
        submenu->menuAction()->setObjectName(QString::fromLatin1(name));
        return submenu;
    };
    connect(addItem(PopupMenu1, "Item0", "Open(&O). . ."), &QAction::triggered, this,
            &TMainForm::Item0Click);
    QMenu* sortMenu = addSubmenu("Item1", "Sort (&S)");
    for (const SortEntry& entry : kSortEntries) {
        QAction* action = addItem(sortMenu, entry.name, entry.caption);
        action->setData(entry.column);
        connect(action, &QAction::triggered, this, &TMainForm::SortItemClick);
    }
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N9"));
    connect(addItem(PopupMenu1, "Item2", "Delete(&D)"), &QAction::triggered, this,
            &TMainForm::Item2Click);
    connect(addItem(PopupMenu1, "Item3", "Clear List(&L)"), &QAction::triggered, this,
            &TMainForm::Button5Click);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N10"));
    connect(addItem(PopupMenu1, "Item4", "Encode One(&E). . ."), &QAction::triggered, this,
            &TMainForm::Item4Click);
    connect(addItem(PopupMenu1, "Item5", "Encode All (&A). . ."), &QAction::triggered, this,
            &TMainForm::Button1Click);
    EncodeByMenu = addSubmenu("Item6", "Encode By(B)");
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TMainForm::PopupMenu1Popup);
}

void TMainForm::AdjustWindowSize() {
    const int width = GroupBox1->isVisibleTo(this) ? kWidthWithDetails : kWidthWithoutDetails;
    setFixedSize(width, kClientHeight);
}

void TMainForm::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

}  // namespace tessaro
