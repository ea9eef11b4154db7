#pragma once

#include "ProgramFixture.h"

namespace quorix::testing {

// The video engine's tests use the program fixture as it stands.
using VideoFixture = ProgramFixture;

} // namespace quorix::testing
