#pragma once
#include <cstdint>

// A layout pass on the calling thread. Inside one, the store checks each
// preference file once, at its first read in the pass, and answers the
// pass's later reads of that file from that check: the first read comes
// after the pass began, so every change written before then is seen. Reads
// outside a pass, and on threads without one, check the file every time.
class PreferencePass {
  public:
    // Starts a new pass on this thread; one still open ends first, so a pass
    // never outlives the next begin.
    static void begin();
    static void end();
    // This thread's pass, unique in the process; 0 outside one.
    static std::uint64_t current();

    // Holds a pass open for a scope.
    class Scope {
      public:
        Scope() { begin(); }
        ~Scope() { end(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };
};
