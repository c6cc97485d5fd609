#include "core/util/numbers.h"

#include <gtest/gtest.h>
