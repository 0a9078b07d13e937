#include "app/ElideMiddleDelegate.h"

namespace tessaro {

void ElideMiddleDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideMiddle;
}

}  // namespace tessaro
