// The command-line mode: builds the full resource list and the UTF-16 copy of the
// dialog-text lookup list of a development tree, in "..\depends\config".
#pragma once

// Runs the whole generation: each output is written as far as it can be, whatever
// became of the other. Returns false when the folder is missing or an output could not
// be written, after one line on standard error for each. The full list's entries are
// held in one profile write batch and written, and synced, once at its end.
bool GenerateResourceList();
