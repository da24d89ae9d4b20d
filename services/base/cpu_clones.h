// Functions compiled once per instruction set, of which the loader picks
// the best the processor has (through an ifunc resolver):
//   KS_CPU_CLONES("avx2", "default") uint32_t Fold(...);
// ThreadSanitizer's runtime is not up when the loader runs the resolvers,
// and instrumented code there crashes the program at load; clang does not
// clone function templates. Those builds keep the portable version alone.
#pragma once

#if defined(__SANITIZE_THREAD__) || defined(__clang__)
#define KS_CPU_CLONES(...)
#else
#define KS_CPU_CLONES(...) __attribute__((target_clones(__VA_ARGS__)))
#endif
