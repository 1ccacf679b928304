#include "widgets/ProgramChoice.h"

#include "core/ProcessWatcher.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace kelvaro {

ProgramChoice::ProgramChoice(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert); // what is typed is not added to the list
    setCompleter(nullptr);                // nor completed from it
    setMaxVisibleItems(15);
    // Chosen with the mouse, or with the arrow keys in the closed field.
    connect(this, &QComboBox::activated, this, &ProgramChoice::chosen);
    connect(this, &QComboBox::currentIndexChanged, this, &ProgramChoice::chosen);
}

void ProgramChoice::setText(const QString& text)
{
    if (currentText() == text)
        return;
    const QSignalBlocker blocker(this);
    setEditText(text);
}

void ProgramChoice::showPopup()
{
    // The programs as they run now; the field keeps what it holds.
    const QString typed = currentText();
    {
        const QSignalBlocker blocker(this);
        clear();
        if (m_processes) {
            for (const RunningProgram& program : m_processes->runningPrograms())
                addItem(program.label(), program.pid);
        }
        setCurrentIndex(-1);
        setEditText(typed);
    }
    // Wide enough for long names, however narrow the field.
    view()->setMinimumWidth(std::max(width(), view()->sizeHintForColumn(0) + 24));
    QComboBox::showPopup();
}

void ProgramChoice::chosen(int index)
{
    const QVariant pid = itemData(index);
    if (index >= 0 && pid.isValid())
        setEditText(QString::number(pid.toLongLong()));
}

} // namespace kelvaro
