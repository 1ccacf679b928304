#pragma once

#include "widgets/ModalRunner.h"

namespace kelvaro {

/** Runs the dialog's own modal loop. */
class QtModalRunner : public ModalRunner
{
public:
    int exec(QDialog& dialog) override;
};

} // namespace kelvaro
