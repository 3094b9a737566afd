#pragma once

// True when the arguments name a command of the command-line tool (they
// start with "--", or are -h or -v) rather than a data file for the window.
bool IsCommandLineCall(int argc, char* argv[]);

// Runs the command without a window or display:
//   vantreo --import FILE... --into BOOK.dat [--keep-duplicates]
//   vantreo --export-vcard BOOK.dat OUT.vcf [--vcard-version 4.0]
// The summary goes to the standard output, errors to the standard error.
// Returns the exit code: 0 done, 1 failed (the book unchanged), 2 wrong usage.
int RunCommandLine(int argc, char* argv[]);

// Replaces this program with the window program, which opens the data file
// the arguments name (or the last one). Returns only when it could not be
// started, after saying why on the standard error: the exit code 1.
int StartWindowProgram(char* argv[]);
