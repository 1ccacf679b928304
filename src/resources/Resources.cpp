#include "resources/Resources.h"

#include <QtCore/qresource.h>

// Q_INIT_RESOURCE declares the registration function it calls, so it must be used outside any namespace.
static void initKelvaroResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace kelvaro {

void initResources()
{
    initKelvaroResources();
}

} // namespace kelvaro
