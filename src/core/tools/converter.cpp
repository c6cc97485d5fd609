#include "core/tools/converter.h"
