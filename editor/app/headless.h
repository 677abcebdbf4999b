// The editor's commands that need no window and no display: the export picture
// of one file, the pictures of a folder, and a thumbnail for file managers.
#pragma once

struct AppPaths;
struct EditorCommand;

// Runs an Export, Multisave or Thumbnail command with the options of the
// settings file `paths` names. Prints what it wrote on standard output and each
// problem, naming the file and the reason, on standard error. Returns the exit
// status: 0 success, 1 when a file failed. Export and Multisave need a
// QGuiApplication (the file name is text); Thumbnail needs no application object.
int runHeadless(const EditorCommand& command, const AppPaths& paths);
