// The stack canary of -fstack-protector and the failure of the checked calls of _FORTIFY_SOURCE,
// in place of libssp's. libssp seeds its canary through the CryptoAPI before the program's entry
// has restricted where DLLs come from, and the cryptographic provider that loads brings helpers
// that are no KnownDLLs, looked for beside the exe first; it also adds ADVAPI32 to the imports.
// Linked into every program of ours, as every function the compiler protects refers to it.
#include <cstdint>
#include <windows.h>

extern "C" {

// A fixed value until the seeding below replaces it, before any function of ours has run.
std::uintptr_t __stack_chk_guard = 0x2F8E16D4u;

[[noreturn]] void __stack_chk_fail() {
    // What Windows' own stack checks end a process with; nothing of the corrupted stack is used.
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_trap();
}

[[noreturn]] void __chk_fail() {
    __stack_chk_fail();
}
}

namespace {

// Mixed from what differs between processes and between starts, as Windows' own stack cookie is:
// times, process and thread, and a stack address, which address randomisation moves. The low byte
// is zero, so that a string copied over the canary cannot reproduce it. Runs before every other
// constructor and is itself unprotected: a function active while the canary changes would fail.
__attribute__((constructor(101), no_stack_protector)) void seed_stack_guard() {
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::uint64_t seed = (std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime) ^
                         static_cast<std::uint64_t>(counter.QuadPart) ^
                         std::uint64_t{GetCurrentProcessId()} << 32 ^ GetCurrentThreadId() ^
                         GetTickCount64() ^ reinterpret_cast<std::uintptr_t>(&time);
    // splitmix64's finaliser spreads every bit of the seed over the whole value.
    seed = (seed ^ seed >> 30) * 0xBF58476D1CE4E5B9u;
    seed = (seed ^ seed >> 27) * 0x94D049BB133111EBu;
    seed ^= seed >> 31;
    __stack_chk_guard = static_cast<std::uintptr_t>(seed) & ~std::uintptr_t{0xFF};
}

} // namespace
