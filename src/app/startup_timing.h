#pragma once

class QWidget;

namespace parlumo {

// Opt-in timing of the start-up for the benchmarks: when the environment variable
// PARLUMO_STARTUP_TIMING is set, the first paint of `screen` writes "shown <CPU ms>" (the
// process's CPU time so far) on standard output and ends the program. Without it, nothing.
void reportFirstPaintIfAsked(QWidget* screen);

} // namespace parlumo
