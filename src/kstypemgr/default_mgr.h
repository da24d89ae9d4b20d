// The process-wide default type manager, as the library context sets it.
#pragma once

class KsTypeMgr;

namespace ks {

// Makes mgr (possibly null) the default manager; returns the previous one.
// Unlike DefaultTypeMgr, a null pointer clears the default.
KsTypeMgr* SetDefaultTypeMgr(KsTypeMgr* mgr);

}  // namespace ks
