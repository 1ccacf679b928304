#pragma once

#include "core/MessageBoxes.h"

#include <QList>
#include <QString>

#include <functional>

namespace kelvaro::test {

/** Records every box instead of showing it; questions are answered from `answers` (Yes when empty). */
class RecordingMessageBoxes : public MessageBoxes
{
public:
    struct Box
    {
        QString caption;
        QString text;
        bool question = false;
    };

    QList<Box> boxes;
    QList<bool> answers;
    /** Runs while a box is "open", for tests that act from inside a modal box. */
    std::function<void(const Box&)> onShow;

    void show(Kind kind, const QString& text) override { record({captionOf(kind), text, false}); }

    bool askYesNo(const QString& text) override
    {
        record({captionOf(Kind::Information), text, true});
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    void showError(const QString& caption, const QString& text) override { record({caption, text, false}); }

    QStringList texts() const
    {
        QStringList list;
        for (const Box& box : boxes)
            list << box.text;
        return list;
    }

private:
    void record(const Box& box)
    {
        boxes << box;
        if (onShow)
            onShow(box);
    }
};

} // namespace kelvaro::test
