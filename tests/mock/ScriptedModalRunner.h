#pragma once

#include "widgets/ModalRunner.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <map>

namespace kelvaro::test {

/**
 * Shows a dialog without a nested event loop: the dialog is shown (its show handlers run), the
 * scripted action for its object name acts on it, and it is closed if it is still open.
 */
class ScriptedModalRunner : public ModalRunner
{
public:
    /** Object names of the dialogs shown, in order. */
    QStringList shown;
    std::map<QString, std::function<void(QDialog&)>> actions;

    int exec(QDialog& dialog) override
    {
        shown << dialog.objectName();
        dialog.setResult(QDialog::Rejected);
        // Modal as QDialog::exec makes it: towards the whole program unless the dialog says otherwise.
        const bool wasModal = dialog.testAttribute(Qt::WA_ShowModal);
        dialog.setAttribute(Qt::WA_ShowModal, true);
        dialog.show();
        if (auto it = actions.find(dialog.objectName()); it != actions.end())
            it->second(dialog);
        if (dialog.isVisible())
            dialog.close();
        dialog.setAttribute(Qt::WA_ShowModal, wasModal);
        return dialog.result();
    }
};

} // namespace kelvaro::test
