#include "core/util/szdd.h"
