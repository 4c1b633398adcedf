#include "serial/mscomm.h"
