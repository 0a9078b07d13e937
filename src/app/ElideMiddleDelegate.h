#pragma once

#include <QStyledItemDelegate>

namespace tessaro {

// Draws a column's texts elided in the middle, so that both ends of a long
// path stay in sight: the folder it starts from and the file's own name.
class ElideMiddleDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ElideMiddleDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace tessaro
