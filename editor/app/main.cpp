#include "command_line.h"
#include "headless.h"
#include "window_program.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Read before any application object exists: help, version, usage errors
    // and the commands without a window need no display.
    const EditorCommand command = parseEditorCommand(std::vector<std::string>(argv + 1, argv + argc));
    if (command.kind == EditorCommand::Kind::Window)
        return startWindowProgram(argv);
    return runCommand(command, argc, argv);
}
