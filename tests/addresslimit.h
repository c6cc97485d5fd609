#pragma once

// An address-space limit (RLIMIT_AS) does not work under AddressSanitizer or ThreadSanitizer,
// which reserve terabytes of address space up front: tests that need one skip there.
namespace quorel::test {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool addressLimitWorks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool addressLimitWorks = false;
#else
inline constexpr bool addressLimitWorks = true;
#endif
#else
inline constexpr bool addressLimitWorks = true;
#endif

} // namespace quorel::test
