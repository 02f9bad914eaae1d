#pragma once

#include "catalog/Message.h"

#include <cstdint>

// "14.3 MB", or "812 bytes" below a megabyte; rounded up for what is needed, down for what is
// free, so that a save that does not fit never reads as if it did.
Message sizeText(std::uint64_t bytes, bool roundUp);
