// Compiled into every program that draws, in sanitizer builds: fontconfig
// keeps the font patterns pango asks for until the process ends, and nothing
// pango calls frees them. They are fontconfig's caches, not leaks of ours.
// The sanitizer runtime looks both hooks up by name.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_options();

extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// A program's stderr is its users' (one line for a mistake): the count of
// suppressed caches is no news to them.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
    return "print_suppressions=0";
}
