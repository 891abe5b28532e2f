// SPDX-License-Identifier: MIT
#include "compare/ComparisonText.h"

namespace compare {} // namespace compare
