#pragma once

#include "platform/core/Exception.h"

namespace grid {

// The grid's error. The layout base raises it with its own texts ("Grid index
// out of range" and friends); the grid engine puts its name and ": " before
// the texts it raises.
class EInvalidGridOperation : public core::Exception {
public:
    using core::Exception::Exception;
};

}  // namespace grid
