#include "row_commands.h"
