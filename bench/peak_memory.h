#pragma once

// Prints the process's peak and current resident memory (VmHWM, VmRSS) for
// the probes that scripts/bench runs from outside.
void printPeakMemory();
