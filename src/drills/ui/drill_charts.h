#pragma once

#include "drills/character_drill.h"

#include <QWidget>

#include <map>
#include <vector>

namespace brivo::drills::ui {

// Each character's median reaction time as a bar, coloured from green (no
// error) to red (always missed) by its error rate, so that the slow and
// the missed characters stand out. A screen reader gets its values as a
// table (ChartTable).
class ReactionChart : public QWidget {
    Q_OBJECT
public:
    explicit ReactionChart(QWidget* parent = nullptr);
    // The answers of the history, oldest first.
    void setAnswers(const std::vector<CharacterAnswer>& answers);

    struct Bar {
        double medianMs = 0;
        double errorRate = 0;
    };
    const std::map<char32_t, Bar>& bars() const { return bars_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::map<char32_t, Bar> bars_;
};

// The speed of each call of the last run, and the best score.
class SpeedCurve : public QWidget {
    Q_OBJECT
public:
    explicit SpeedCurve(QWidget* parent = nullptr);
    void setRun(std::vector<double> speeds, double best);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> speeds_;
};

} // namespace brivo::drills::ui
