// Preloaded into the sanitizer build of the presenter for a leak check. The presenter ends with
// _Exit, an immediate end that skips LeakSanitizer's own check at exit; this _Exit runs that check
// first. Objects that the program still holds at that moment (the window, the device, everything
// on main's stack) are reachable and do not count: what is reported was lost.
//
// Libraries are also kept loaded (dlclose does nothing): the video engine loads and unloads the GL
// driver with each clip, and a leak inside an unloaded library would be reported with no name to
// tell whose it is.
#include <sanitizer/lsan_interface.h>
#include <sys/syscall.h>
#include <unistd.h>

extern "C" int dlclose(void*) noexcept {
    return 0;
}

extern "C" [[noreturn]] void _Exit(int status) noexcept {
    // LeakSanitizer's exit code when it finds leaks.
    constexpr int leaksFound = 23;
    const int leaks = __lsan_do_recoverable_leak_check();
    syscall(SYS_exit_group, leaks != 0 ? leaksFound : status);
    __builtin_unreachable();
}
