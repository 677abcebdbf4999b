#include "command_line.h"

#include <algorithm>
#include <charconv>

namespace {

// Qt's own options that take a value, and those that do not.
const char* const kQtOptionsWithValue[] = {
    "-platform", "-platformpluginpath", "-platformtheme",   "-plugin",       "-style",       "-stylesheet", "-session",
    "-display",  "-geometry",           "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-name",       "-title"};
const char* const kQtFlags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

template <class List>
bool listed(const List& list, const std::string& a)
{
    return std::find(std::begin(list), std::end(list), a) != std::end(list);
}

EditorCommand failed(std::string why)
{
    EditorCommand c;
    c.kind = EditorCommand::Kind::Error;
    c.error = std::move(why);
    return c;
}

} // namespace

EditorCommand parseEditorCommand(const std::vector<std::string>& args)
{
    EditorCommand c;
    std::vector<std::string> positional;
    bool exportAsked = false, multisaveAsked = false, thumbnailAsked = false, outGiven = false;
    bool toTextAsked = false, fromTextAsked = false;
    bool help = false, version = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i];
        std::string inlineValue;
        bool hasInline = false;
        if (a.rfind("--", 0) == 0) {
            if (const size_t eq = a.find('='); eq != std::string::npos) {
                inlineValue = a.substr(eq + 1);
                a.resize(eq);
                hasInline = true;
            }
        }
        // The value of an option: after "=", or the next argument.
        auto value = [&](std::string& into) {
            if (hasInline) {
                into = inlineValue;
                return true;
            }
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == "--") {
            positional.insert(positional.end(), args.begin() + long(i) + 1, args.end());
            break;
        }
        if (a == "--help" || a == "-h")
            help = true;
        else if (a == "--version")
            version = true;
        else if (a == "--workdir") {
            if (!value(c.workdir) || c.workdir.empty())
                return failed("--workdir needs a folder");
        } else if (a == "--export") {
            exportAsked = true;
            if (!value(c.file))
                return failed("--export needs a level or bridge file");
        } else if (a == "--to-text" || a == "--from-text") {
            (a == "--to-text" ? toTextAsked : fromTextAsked) = true;
            if (!value(c.file))
                return failed(a + (a == "--to-text" ? " needs a level or bridge file" : " needs a text file"));
        } else if (a == "-o" || a == "--output") {
            outGiven = true;
            if (!value(c.out))
                return failed(a + " needs a file name");
        } else if (a == "--multisave") {
            multisaveAsked = true;
            if (!value(c.folder))
                return failed("--multisave needs a folder");
        } else if (a == "--subfolders")
            c.subfolders = true;
        else if (a == "--thumbnail") {
            thumbnailAsked = true;
            if (i + 3 >= args.size())
                return failed("--thumbnail needs FILE OUT.png SIZE");
            c.file = args[++i];
            c.out = args[++i];
            const std::string& size = args[++i];
            const auto [end, ec] = std::from_chars(size.data(), size.data() + size.size(), c.size);
            if (ec != std::errc() || end != size.data() + size.size() || c.size < 1 || c.size > 4096)
                return failed("--thumbnail: the size " + size + " is not a number of pixels from 1 to 4096");
        } else if (listed(kQtOptionsWithValue, a) && i + 1 < args.size()) {
            c.qtOptions.push_back(a);
            c.qtOptions.push_back(args[++i]);
        } else if (listed(kQtFlags, a))
            c.qtOptions.push_back(a);
        else if (a.size() > 1 && a[0] == '-')
            return failed("unknown option " + args[i]);
        else
            positional.push_back(a);
    }

    if (help) {
        c.kind = EditorCommand::Kind::Help;
        return c;
    }
    if (version) {
        c.kind = EditorCommand::Kind::Version;
        return c;
    }
    if (int(exportAsked) + int(multisaveAsked) + int(thumbnailAsked) + int(toTextAsked) + int(fromTextAsked) > 1)
        return failed("choose one of --export, --multisave, --thumbnail, --to-text and --from-text");
    if (outGiven && !exportAsked && !toTextAsked && !fromTextAsked)
        return failed("-o only goes with --export, --to-text and --from-text");
    if (fromTextAsked && !outGiven)
        return failed("--from-text needs -o OUT, the level or bridge to write");
    if (c.subfolders && !multisaveAsked)
        return failed("--subfolders only goes with --multisave");
    const size_t allowed = exportAsked || multisaveAsked || thumbnailAsked || toTextAsked || fromTextAsked ? 0 : 1;
    if (positional.size() > allowed)
        return failed("unexpected argument " + positional[allowed]);
    if (exportAsked)
        c.kind = EditorCommand::Kind::Export;
    else if (multisaveAsked)
        c.kind = EditorCommand::Kind::Multisave;
    else if (thumbnailAsked)
        c.kind = EditorCommand::Kind::Thumbnail;
    else if (toTextAsked)
        c.kind = EditorCommand::Kind::ToText;
    else if (fromTextAsked)
        c.kind = EditorCommand::Kind::FromText;
    else if (!positional.empty())
        c.file = positional[0];
    return c;
}

std::string editorUsage()
{
    return "Usage: TRV424 [--workdir DIR] [FILE]\n"
           "       TRV424 [--workdir DIR] --export FILE [-o OUT]\n"
           "       TRV424 [--workdir DIR] --multisave DIR [--subfolders]\n"
           "       TRV424 [--workdir DIR] --thumbnail FILE OUT.png SIZE\n"
           "       TRV424 --to-text FILE [-o OUT]\n"
           "       TRV424 --from-text TEXT -o OUT\n"
           "\n"
           "Opens the level or bridge FILE (.lvl or .brg) in the editor, or the one it\n"
           "had open last.\n"
           "\n"
           "  --workdir DIR        keep the settings, the undo journal, the template and\n"
           "                       the help texts in DIR (portable mode); without it they\n"
           "                       live in the user's folders (~/.config/trusswick,\n"
           "                       ~/.local/state/trusswick) and the installed data\n"
           "  --export FILE        write the picture Multisave writes for FILE, without a\n"
           "                       window, to FILE with .bmp\n"
           "  -o, --output OUT     write it to OUT instead; a name ending in .png gives a PNG\n"
           "  --multisave DIR      write that picture beside every level and bridge of DIR\n"
           "  --subfolders         with --multisave, walk the subfolders too\n"
           "  --thumbnail FILE OUT.png SIZE\n"
           "                       a PNG of FILE at most SIZE pixels wide and high\n"
           "  --to-text FILE       write the level or bridge FILE as text (JSON, one point\n"
           "                       or line per line) to standard output, or to OUT with -o\n"
           "  --from-text TEXT     read that text (- for standard input) and write the\n"
           "                       level or bridge it holds to OUT: a level when OUT's name\n"
           "                       ends in .lvl, a bridge otherwise\n"
           "  --help               show this help and exit\n"
           "  --version            show the version and exit\n"
           "\n"
           "The pictures use the colours, margins, height and display switches of the\n"
           "settings file. Exit status: 0 success, 1 a file failed, 2 wrong usage.\n";
}
