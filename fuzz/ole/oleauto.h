// Declared with the rest in the stand-in windows.h.
#pragma once

#include "windows.h"
