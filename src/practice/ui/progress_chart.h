#pragma once

#include "practice/copy_check.h"
#include "practice/history/history_store.h"

#include <QWidget>

#include <map>
#include <vector>

namespace brivo::practice::ui {

// The "Progrès" drawing: above, the score of every check against its date
// (0 to 100 %); below, the error rate of every character checked, one bar
// each in code order. A screen reader gets the scores in a sentence and the
// error rates as a table.
class ProgressChart : public QWidget {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget* parent = nullptr);

    void setHistory(std::vector<StoredCheck> checks, std::map<char32_t, CharacterCount> counts);

    const std::vector<StoredCheck>& checks() const { return checks_; }
    const std::map<char32_t, CharacterCount>& counts() const { return counts_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintScores(QPainter& painter, const QRect& area) const;
    // Dated ticks under the scores, on a step that suits the span.
    void paintTimeAxis(QPainter& painter, const QRect& area, qint64 first, qint64 span) const;
    void paintErrorRates(QPainter& painter, const QRect& area) const;

    std::vector<StoredCheck> checks_;
    std::map<char32_t, CharacterCount> counts_;
};

} // namespace brivo::practice::ui
