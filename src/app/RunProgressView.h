#pragma once

#include <QProgressBar>
#include <QTreeWidget>
#include <vector>

#include "encode/RunProgress.h"

namespace tessaro {

// Shows a run's progress in the window: a bar with the whole list's percent
// and ETA beside the status panels, and each job's state on its row as an
// icon (the row's texts stay the job store and are never touched).
class RunProgressView final {
public:
    // The role of column 0 that holds a row's JobState while it has one.
    static constexpr int kStateRole = Qt::UserRole + 41;

    RunProgressView(QProgressBar& bar, QTreeWidget& list) : bar_(bar), list_(list) {}

    // A run of these rows, job 1 first, is starting: earlier states go.
    void Start(std::vector<QTreeWidgetItem*> jobRows);
    void Show(const RunProgress& progress);

private:
    void ShowState(QTreeWidgetItem& row, JobState state) const;
    void ClearStates();

    QProgressBar& bar_;
    QTreeWidget& list_;
    std::vector<QTreeWidgetItem*> jobRows_;
};

}  // namespace tessaro
