#include "core/util/files.h"
