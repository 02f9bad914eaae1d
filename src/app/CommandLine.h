#pragma once

#include <QString>
#include <QStringList>

// What `velmora [--choose-folder] [FOLDER | FOLDER/Trake.odl | FOLDER/Trake-novi.odl]` asks
// for. Read before any window exists, so that help, the version and a mistyped command line
// work without a display.
struct LaunchRequest
{
    enum class Kind {
        OpenCatalog,     // open the catalog in `folder`
        ChooseFolder,    // ask for the folder first (also without argument where the current
                         // folder holds no catalog)
        Print,           // write `text` to stdout and end, status 0
        Refuse,          // write `text` to stderr and end, status 2
    };
    Kind kind = Kind::OpenCatalog;
    QString folder;      // OpenCatalog: absolute, existing; the current folder without argument
    QString text;
    // The launcher passes --choose-folder: nobody reads stderr there, so a refusal is shown too.
    bool fromLauncher = false;
    QString mistake;     // Refuse: the mistake alone, for a dialog
};

// `arguments` as QCoreApplication::arguments() gives them, the program's name first. A folder
// or file on the command line wins over --choose-folder, so the launcher's `--choose-folder %f`
// opens a file given by the file manager without asking.
LaunchRequest readCommandLine(const QStringList &arguments);
