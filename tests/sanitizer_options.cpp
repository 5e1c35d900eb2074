// ---------------------------------------------------------------------------
// Built into every sanitized executable: the sanitizers read these at start,
// so the binaries behave the same under ctest, by hand or from the harness.
// The first error ends the process with a status no other path gives.
// ---------------------------------------------------------------------------
extern "C" {

const char* __asan_default_options() { return "detect_leaks=1:abort_on_error=0:exitcode=86"; }

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1:exitcode=87"; }

const char* __lsan_default_options() { return "print_suppressions=0:suppressions=" LSAN_SUPPRESSIONS; }

// The GL loader unloads its driver (llvmpipe) before the leak check runs at
// exit, and leaks from an unloaded library have no module name to match a
// suppression against. Keeping every library loaded keeps the names.
int dlclose(void* /*handle*/) { return 0; }

} // extern "C"
