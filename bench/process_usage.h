#pragma once

// CPU time this process has used so far, all threads, user and system, in milliseconds.
double cpu_ms();
// The largest resident size this process has had so far, in megabytes.
double peak_resident_mb();
