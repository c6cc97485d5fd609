#include "core/util/system.h"
