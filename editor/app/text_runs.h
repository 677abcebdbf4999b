// The text form of levels and bridges on the command line: --to-text and
// --from-text. Plain C++ over the document layer; they need no display.
#pragma once

struct EditorCommand;

// Runs a ToText or FromText command. Problems go to standard error: a text that
// is no document as TEXT:LINE: reason, any other as TRV424: FILE: reason.
// Returns the exit status: 0 success, 1 when the file or the text failed (and
// then nothing was written).
int runTextCommand(const EditorCommand& command);
