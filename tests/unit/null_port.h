// A port that lets the model run and records nothing; a test overrides the
// callbacks it watches.
#pragma once

#include "core/app.h"

namespace kelmora::testing {

using NullPort = SilentPort;

}  // namespace kelmora::testing
