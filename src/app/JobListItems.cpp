#include "app/JobListItems.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace tessaro {
namespace {

constexpr int kVisibleSubItems = static_cast<int>(kJobColumns.size()) - 1;

// Sub-items past the last column are kept in the first column's user roles.
int HiddenRole(int subItem) {
    return Qt::UserRole + subItem;
}

}  // namespace

QTreeWidgetItem* MakeJobItem(const JobRow& row) {
    auto* item = new QTreeWidgetItem;
    item->setText(kFileNameColumn, QString::fromStdString(row.caption));
    item->setToolTip(kFileNameColumn, item->text(kFileNameColumn));
    for (int subItem = 0; subItem < kSubItemCount; ++subItem) {
        const QString text = QString::fromStdString(row.subItems[subItem]);
        if (subItem < kVisibleSubItems) {
            item->setText(subItem + 1, text);
        } else {
            item->setData(0, HiddenRole(subItem), text);
        }
    }
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

JobRow JobRowOf(const QTreeWidgetItem& item) {
    JobRow row;
    row.caption = item.text(0).toStdString();
    for (int subItem = 0; subItem < kSubItemCount; ++subItem) {
        const QString text = subItem < kVisibleSubItems
                                 ? item.text(subItem + 1)
                                 : item.data(0, HiddenRole(subItem)).toString();
        row.subItems[subItem] = text.toStdString();
    }
    return row;
}

JobList JobRowsOf(const QTreeWidget& list) {
    JobList rows;
    rows.reserve(static_cast<size_t>(list.topLevelItemCount()));
    for (int index = 0; index < list.topLevelItemCount(); ++index) {
        rows.push_back(JobRowOf(*list.topLevelItem(index)));
    }
    return rows;
}

}  // namespace tessaro
