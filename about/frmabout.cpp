#include "about/frmabout.h"
