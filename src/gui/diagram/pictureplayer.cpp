#include "gui/diagram/pictureplayer.h"
