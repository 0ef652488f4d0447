// Allocations that the libraries under Qt keep for the life of the process
// (fonts, the D-Bus library, GLib): not leaks of ours. Read by
// LeakSanitizer in sanitizer builds; unused otherwise.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libdbus-1.so\n"
         "leak:libglib-2.0.so\n"
         "leak:libQt6DBus.so\n";
}
