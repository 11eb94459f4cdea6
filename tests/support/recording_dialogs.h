#pragma once

#include "common/ui/dialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

namespace brivo::test {

// Answers every box and file dialog at once and records what was shown.
class RecordingDialogs : public ui::Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
    };

    void message(QWidget*, const QString& text, const QString& title, Icon icon) override
    {
        messages.append({text, title, icon});
    }

    bool confirm(QWidget*, const QString& text, const QString& title) override
    {
        messages.append({text, title, Icon::Exclamation});
        return confirmAnswer;
    }

    std::optional<QString> saveFileName(QWidget*, ui::FileDialogSpec& spec, const QString& current) override
    {
        return answerFileDialog(spec, current);
    }

    std::optional<QString> openFileName(QWidget*, ui::FileDialogSpec& spec, const QString& current) override
    {
        return answerFileDialog(spec, current);
    }

    QList<Shown> messages;
    bool confirmAnswer = true;
    int filterAnswer = 0; // the filter entry the user picks; 0 keeps the one shown
    // Answers of the next file dialogs, in order; a null text means Cancel.
    std::deque<QString> fileAnswers;
    QList<ui::FileDialogSpec> fileDialogs;
    QList<QString> fileDialogStarts;

private:
    std::optional<QString> answerFileDialog(ui::FileDialogSpec& spec, const QString& current)
    {
        fileDialogs.append(spec);
        fileDialogStarts.append(current);
        if (fileAnswers.empty())
            return std::nullopt;
        const QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (answer.isNull())
            return std::nullopt;
        if (filterAnswer > 0)
            spec.selectedFilter = filterAnswer;
        return answer;
    }
};

} // namespace brivo::test
