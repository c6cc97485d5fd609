#include "core/diagram/diagramstyle.h"
