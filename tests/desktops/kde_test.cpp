#include "desktop.h"
