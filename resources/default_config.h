#pragma once
#include "host/text.h"

namespace quarvel {

// The bytes of config.ini as a fresh installation writes it: GBK, CR LF, no byte-order mark.
const Text& DefaultConfigText();

}  // namespace quarvel
