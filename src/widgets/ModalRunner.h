#pragma once

class QDialog;

namespace kelvaro {

/** Shows dialogs modally. Tests replace it to act inside a dialog without a nested event loop. */
class ModalRunner
{
public:
    virtual ~ModalRunner() = default;
    /** Shows `dialog` modally and returns its result once it has been closed. */
    virtual int exec(QDialog& dialog) = 0;
};

} // namespace kelvaro
