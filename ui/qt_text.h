#pragma once

// The windows convert the plain libraries' texts as the printed plan does, whose library stands
// below them.
#include "print/qt_text.h"
