#include "core/diagram/color.h"
