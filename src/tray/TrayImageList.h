#pragma once

#include "tray/TrayReferenced.h"

#include <QIcon>

namespace kelvaro {

/** A numbered list of icons the tray component can show and cycle through. */
class TrayImageList : public TrayReferenced
{
public:
    virtual int count() const = 0;
    /** The icon at `index` (0 .. count() - 1). */
    virtual QIcon image(int index) const = 0;
};

} // namespace kelvaro
