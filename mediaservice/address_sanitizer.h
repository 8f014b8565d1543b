#pragma once
#include <sanitizer/asan_interface.h>

// Whether the address sanitizer is on. GCC says so with __SANITIZE_ADDRESS__; clang, which
// builds the fuzz targets, only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// Memory waiting in a spare list is marked as not to be touched, so that the sanitizer catches
// a use after it was given back; without the sanitizer these do nothing.
inline void mark_spare(void* data, std::size_t size) { ASAN_POISON_MEMORY_REGION(data, size); }
inline void mark_in_use(void* data, std::size_t size) { ASAN_UNPOISON_MEMORY_REGION(data, size); }
