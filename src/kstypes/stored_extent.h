// Measuring stored records before loading them: what KsTypeMgr::LoadChecked
// needs of a variable-length type.
#pragma once

#include <cstddef>

#include "ksslots.h"
#include "kstypes/typedesc.h"

// Sets extent to the bytes that `count` stored records at src take and
// returns true, when every length field of them lies within srcLen bytes,
// is consistent with the others and keeps the records within srcLen; reads
// nothing beyond srcLen. False otherwise.
using KsStoredExtentFunc = bool (*)(const void* src, size_t srcLen, unsigned char format, unsigned count,
                                    size_t& extent);

// The extent function of a variable-length descriptor, found by its Store
// and Load slots together (the two KsString descriptors share their Load but
// not their stored layout), or null when it has none: such types are not
// loaded from unchecked bytes. A variable-length type with a stored form adds
// its row to the table in typemgr_checked_load.cpp.
KsStoredExtentFunc KsStoredExtentOf(const KsTypeDescriptor& descriptor);
