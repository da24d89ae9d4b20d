// The millisecond clock of the type manager.
#pragma once

#include "ksexport.h"
#include "ksint64.h"

// Milliseconds since 1970-01-01 00:00:00 UTC into out; returns 0.
KS_API int GetSystemTimeInMSSinceTheEpoch(KsInt64& out);
