// The whole public interface of the type manager library.
#pragma once

#include "basesvc.h"
#include "i18nsvc.h"
#include "ksexport.h"
#include "ksidxbounds.h"
#include "ksmodule.h"
#include "ksstring.h"
#include "kstypconv.h"
#include "kstypeconvert.h"
#include "ksslots.h"
#include "kstypcmp.h"
#include "kstypeids.h"
#include "kstypemgr.h"
