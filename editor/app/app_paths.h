// Where the editor keeps its files. In portable mode one folder holds them all
// (settings, journal, template, help), exactly as the program's own folder
// always did; in per-user mode, the default, they live where a Linux desktop
// expects them. Everything that reads or writes these places asks this object.
#pragma once
#include <QString>

struct AppPaths {
    bool portable = false;
    QString settingsDir; // Trv.ini
    QString journalDir;  // TRV<n>.TMP, under its lock
    QString dataDir;     // new.brg, the help texts, the samples (read only)
    QString homeDir;     // where file dialogs start without a document
    QString notice;      // where settings and journal went for want of a home; said once

    // Everything in `dir` (--workdir).
    static AppPaths portableIn(const QString& dir);
    // ${XDG_CONFIG_HOME:-$HOME/.config}/trusswick, ${XDG_STATE_HOME:-$HOME/.local/state}/trusswick,
    // and the data folder beside the program: <prefix>/share/trusswick, or the
    // source tree's data/ when it runs from a build folder. Without a usable
    // home (HOME unset, empty, or not an existing absolute folder) and an
    // absolute XDG variable, a private folder (privateFolder()) holds them, with
    // a `notice`: never "/" or the current folder, and no home is created.
    static AppPaths perUser();

    QString settingsFile() const { return settingsDir + "/Trv.ini"; }
    QString dataFile(const QString& name) const { return dataDir + "/" + name; }
    // The text of File on a first start: the design's own path in portable
    // mode, the installed sample bridge otherwise, so that a first start shows one.
    QString firstStartDocument() const;
};
