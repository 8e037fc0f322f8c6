#pragma once

// The engine's two load-time initialisers, in the order the library runs them.
// Each does its work once per process, however often it is called.
class VantorelStartup {
  public:
    // Makes SpringBoard mirror the settings into Messages after every launch.
    // Harmless elsewhere: no other process has the class it hooks.
    static void springBoardInitialiser();
    // Inside Messages, with the master switch on, installs the theme and the
    // run-loop observers that bracket each layout pass.
    static void mainInitialiser();
};
