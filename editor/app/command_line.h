// The editor's command line, read before any window or display exists.
#pragma once
#include <string>
#include <vector>

struct EditorCommand {
    enum class Kind {
        Window,    // the editor's window, on FILE when one is named
        Help,      // usage on standard output
        Version,   // version on standard output
        Export,    // --export FILE [-o OUT]
        Multisave, // --multisave DIR [--subfolders]
        Thumbnail, // --thumbnail FILE OUT SIZE
        ToText,    // --to-text FILE [-o OUT]
        FromText,  // --from-text TEXT -o OUT
        Error,     // wrong usage: `error` says what
    };
    Kind kind = Kind::Window;
    std::string workdir; // --workdir DIR: portable mode in DIR
    std::string file;    // the document to open, export, draw small or write as text; the text to read
    std::string out;     // -o OUT, or the thumbnail's picture
    std::string folder;  // --multisave DIR
    bool subfolders = false;
    int size = 0;      // the thumbnail's largest side, pixels
    std::string error; // one line, naming the option or argument
    // Options meant for Qt itself (-platform offscreen, -style ...), kept for it.
    std::vector<std::string> qtOptions;
};

// Reads the arguments (without the program's name).
EditorCommand parseEditorCommand(const std::vector<std::string>& args);
std::string editorUsage();
