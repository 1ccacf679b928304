#pragma once

#include <QComboBox>

namespace kelvaro {

class ProcessWatcher;

/**
 * The field of the program a run waits for: a process number or a program name is typed in, or one
 * of the user's running programs is chosen from the list, which is read anew each time it opens.
 * Choosing a program writes its process number into the field.
 */
class ProgramChoice : public QComboBox
{
    Q_OBJECT

public:
    explicit ProgramChoice(QWidget* parent = nullptr);

    /** Where the list comes from; without it the list stays empty. */
    void setProcesses(ProcessWatcher* processes) { m_processes = processes; }
    /** Sets the field's text without running handlers, and keeps the cursor when it is the same. */
    void setText(const QString& text);

    void showPopup() override;

private:
    void chosen(int index);

    ProcessWatcher* m_processes = nullptr;
};

} // namespace kelvaro
