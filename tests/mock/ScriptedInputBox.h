#pragma once

#include "widgets/InputBox.h"

#include <QList>
#include <QStringList>

namespace kelvaro::test {

/** Answers input boxes from a list (nothing is a cancel; an empty list cancels) and records what was asked. */
class ScriptedInputBox : public InputBox
{
public:
    struct Question
    {
        QString caption;
        QString prompt;
        QString text;
    };

    QList<std::optional<QString>> answers;
    QList<Question> asked;

    std::optional<QString> ask(QWidget*, const QString& caption, const QString& prompt, const QString& text) override
    {
        asked << Question{caption, prompt, text};
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }

    /** The prefilled texts of the boxes asked, in order. */
    QStringList prefills() const
    {
        QStringList list;
        for (const Question& question : asked)
            list << question.text;
        return list;
    }
};

} // namespace kelvaro::test
