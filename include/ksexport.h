// Export macro of the kstypes shared library.
//
// The library is built with hidden visibility; only declarations marked
// KS_API are part of the binary interface. Consumers see the default
// visibility attribute, which is harmless for them.
#pragma once

#if defined(KSTYPES_STATIC)
#define KS_API
#else
#define KS_API __attribute__((visibility("default")))
#endif
