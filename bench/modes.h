// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The benchmarks of the real window, one per command of window_bench. Each prints its
// rows of the table and returns the process exit code.

int runPacing(bool fullLengthSlowMove);
int runTickCost();  // CPU per tick over a whole move, beside its peers, interleaved
int runTickCount(); // the same three one after the other, for callgrind to count
int runIdle();
int runStartUp(const char* program);
int runStartUpChild(long long launchedAtNs);
int runMemory();
// Starts the process again, if need be, so that malloc counts the bytes in use exactly.
void exactHeapCounts(char** argv);
int runExport();
