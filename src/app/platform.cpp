#include "app/platform.h"

namespace tellwick {

Platform makePlatform() { return {}; }

} // namespace tellwick
