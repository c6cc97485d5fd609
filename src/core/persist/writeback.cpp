#include "core/persist/writeback.h"
