#include "app/RunProgressView.h"

#include <QApplication>
#include <QStyle>
#include <cmath>

namespace tessaro {
namespace {

constexpr int kBarSteps = 1000;

QStyle::StandardPixmap StateIcon(JobState state) {
    switch (state) {
        case JobState::waiting:
            return QStyle::SP_BrowserReload;
        case JobState::converting:
            return QStyle::SP_MediaPlay;
        case JobState::done:
            return QStyle::SP_DialogApplyButton;
        case JobState::failed:
            return QStyle::SP_MessageBoxCritical;
        case JobState::stopped:
            return QStyle::SP_MediaStop;
        case JobState::skipped:
            return QStyle::SP_ArrowForward;
    }
    return QStyle::SP_CustomBase;
}

}  // namespace

void RunProgressView::Start(std::vector<QTreeWidgetItem*> jobRows) {
    ClearStates();
    jobRows_ = std::move(jobRows);
    bar_.setRange(0, kBarSteps);
    bar_.setValue(0);
    bar_.setFormat(QStringLiteral("%p%"));
    bar_.show();
}

void RunProgressView::Show(const RunProgress& progress) {
    bar_.setValue(static_cast<int>(std::lround(progress.fraction * kBarSteps)));
    QString text = QStringLiteral("%p%");
    if (progress.etaSeconds && progress.left > 0)
        text +=
            QStringLiteral("  ETA ") + QString::fromStdString(FormatDuration(*progress.etaSeconds));
    bar_.setFormat(text);
    for (size_t job = 0; job < progress.states.size() && job < jobRows_.size(); ++job) {
        // The list stays usable during a run: a row may have gone.
        QTreeWidgetItem* row = jobRows_[job];
        if (list_.indexOfTopLevelItem(row) >= 0) ShowState(*row, progress.states[job]);
    }
}

void RunProgressView::ShowState(QTreeWidgetItem& row, JobState state) const {
    if (row.data(0, kStateRole) == QVariant(static_cast<int>(state))) return;
    row.setData(0, kStateRole, static_cast<int>(state));
    row.setIcon(0, QApplication::style()->standardIcon(StateIcon(state)));
}

void RunProgressView::ClearStates() {
    for (QTreeWidgetItem* row : jobRows_) {
        if (list_.indexOfTopLevelItem(row) < 0) continue;
        row->setData(0, kStateRole, QVariant());
        row->setIcon(0, QIcon());
    }
    jobRows_.clear();
}

}  // namespace tessaro
