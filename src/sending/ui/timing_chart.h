#pragma once

#include "sending/fist_report.h"

#include <QWidget>

namespace brivo::sending::ui {

// The fist report's picture: how long the trainee's dits, dahs and three
// kinds of gap were, in dits, each kind in its own colour, with the ideal
// lengths (1, 3 and 7 dits) marked. Dahs short of 3 or letter gaps that
// run into the word gaps show at a glance. Its accessible description
// carries the same in words, and its table each kind's count and most
// frequent length.
class TimingChart : public QWidget {
    Q_OBJECT
public:
    explicit TimingChart(QWidget* parent = nullptr);

    void setHistogram(const TimingHistogram& histogram, const QString& summary);
    const TimingHistogram& histogram() const { return histogram_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TimingHistogram histogram_;
};

} // namespace brivo::sending::ui
