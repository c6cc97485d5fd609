#include "core/data/lineclassifier.h"

#include <gtest/gtest.h>
