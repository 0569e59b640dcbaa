#pragma once
// The benchmarks of the real window, one per command of window_bench. Each prints its
// rows of the table and returns the process exit code.

int runPacing(bool fullLengthSlowMove);
int runIdle();
int runStartUp(const char* program);
int runStartUpChild(long long launchedAtNs);
int runMemory();
int runExport();
