#include "platform/Log.h"

namespace kelvaro {

Q_LOGGING_CATEGORY(lcKelvaro, "kelvaro")

} // namespace kelvaro
