#include "update/ui/kuBevel.h"

#include <QPainter>

namespace tessaro {

TkuTopBevel::TkuTopBevel(QWidget* parent) : QWidget(parent) {}

void TkuTopBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int right = width() - 1;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, right, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, right, 1);
}

}  // namespace tessaro
