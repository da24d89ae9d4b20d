// Module information, the options word and the library context.
#pragma once

#include "ksexport.h"

// Fills each output whose pointer is not null: the toolchain text and
// version, the description "Quillon Typemanager 12.0.2.248.0 ", the build
// date ("Apr 15 2021") and the internal module name.
KS_API void GetKsTypeMgrInfo(const char** toolchain, unsigned* toolchainVersion, const char** description,
                             const char** buildDate, const char** internalName);

// Writes the version numbers, internal name, build date and time, "unknown",
// the toolchain version and text, and ""; returns "Quillon Typemanager".
// REQUIRES: all eleven pointers are valid.
KS_API const char* KsDescribeDll(unsigned* major, unsigned* minor, unsigned* sub, unsigned* build,
                                 unsigned* patch, const char** internalName, const char** buildDateTime,
                                 const char** eighth, unsigned* toolchainVersion, const char** toolchain,
                                 const char** eleventh);

// Checks this module's version with the base services (flags | 3).
KS_API int KsCheckDll(int flags);

// The process-wide options word. Bit 0: numeric text conversion of strings
// reads decimal digits only (otherwise also 0x hexadecimal and 0 octal).
KS_API int& ___KsTypeMgrOptions();

// Opens (non-zero) or closes (0) the library context: the i18n services'
// context, then the default type manager (factory 5).
KS_API void ___KsTypemgrContext(int on);
