#pragma once

#include <array>

#include "encode/JobRow.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace tessaro {

struct JobColumn {
    const char* caption;
    int width;
};

// The list's visible columns: the path, then sub-items 0 to 5.
inline constexpr std::array<JobColumn, 7> kJobColumns = {{
    {"File Name", 160},
    {"Video Format", 80},
    {"Codec", 50},
    {"Width", 50},
    {"Height", 50},
    {"Audio Format", 80},
    {"Support", 55},
}};

inline constexpr int kFileNameColumn = 0;
inline constexpr int kSupportColumn = 6;

// A list item showing the row, its full path as the File Name's tip; the sub-items without a column
// ride along with it.
QTreeWidgetItem* MakeJobItem(const JobRow& row);
JobRow JobRowOf(const QTreeWidgetItem& item);

// Every row of the list in its order, as the script writer reads them.
JobList JobRowsOf(const QTreeWidget& list);

}  // namespace tessaro
