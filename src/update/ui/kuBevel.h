#pragma once

#include <QWidget>

namespace tessaro {

// A lowered line along the top edge, separating the buttons from the page.
class TkuTopBevel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuTopBevel)

public:
    explicit TkuTopBevel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessaro
