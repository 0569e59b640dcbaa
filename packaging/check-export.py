#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Checks an export file written after one move from 0 towards a larger target.

Every line must be a pair the panel can log, in the order it logs them: the position after
k steps of 0.001 inch (a running double sum) and the pressure of the position before that
step, each as a number text, separated by one tab and ended by CR LF; k grows by about
2000 / 30 steps from one line to the next (a sample every 2 s at 30 ms a step; a
busy machine may deliver a tick a little late, and the next ones catch up).
Usage: check-export.py FILE"""
import sys

def number_text(x):
    text = "%.15g" % x
    return "0" if text == "-0" else text

def main(path):
    data = open(path, "rb").read()
    if not data.endswith(b"\r\n"):
        return "the file does not end with CR LF: %r" % data[-20:]
    lines = data[:-2].split(b"\r\n")
    pos, pairs = 0.0, []
    for k in range(1, 3400):
        pres = 5860.0 - 1e3 * 2.016 * pos
        pos = pos + 0.001
        pairs.append((number_text(pos), number_text(pres)))
    steps = []
    for line in lines:
        fields = line.decode("ascii").split("\t")
        if len(fields) != 2 or "\r" in line.decode() or "\n" in line.decode():
            return "not one tab-separated pair: %r" % line
        if tuple(fields) not in pairs:
            return "not a pair the panel logs: %r" % line
        steps.append(pairs.index(tuple(fields)) + 1)
    gaps = [b - a for a, b in zip(steps, steps[1:])]
    if len(steps) < 2 or any(not 56 <= g <= 77 for g in gaps):
        return "samples not 2 s apart: after %s steps" % steps
    print("   %d pairs, tab-separated, CR LF, after %s steps" % (len(steps), steps))
    return None

if __name__ == "__main__":
    problem = main(sys.argv[1])
    if problem:
        print("   " + problem, file=sys.stderr)
    sys.exit(1 if problem else 0)
