// The font library keeps its configuration cache until the process ends; that
// is not a leak of ours. Read by LeakSanitizer in sanitizer builds only.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
