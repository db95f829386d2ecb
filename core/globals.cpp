// The process-wide variables are inline in globals.h; this unit keeps the
// library non-empty while the shared functions are being written.
#include "core/globals.h"
