#include "app/CommandLine.h"

#include "app/CatalogFolder.h"
#include "catalog/CatalogFiles.h"
#include "ui/WindowKeys.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>

#include <algorithm>

// The translation context of the texts below.
struct CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

namespace {

LaunchRequest request(LaunchRequest::Kind kind, const QString &folder, const QString &text,
                      bool fromLauncher)
{
    LaunchRequest request;
    request.kind = kind;
    request.folder = folder;
    request.text = text;
    request.fromLauncher = fromLauncher;
    return request;
}

LaunchRequest refuse(const QString &message, bool fromLauncher)
{
    LaunchRequest request;
    request.kind = LaunchRequest::Kind::Refuse;
    request.text = QStringLiteral("velmora: %1\n").arg(message)
        + CommandLine::tr("Try \"velmora --help\" for more information.") + u'\n';
    request.mistake = message;
    request.fromLauncher = fromLauncher;
    return request;
}

// One line of the help: an option, the argument or a key, and what it does.
struct HelpEntry
{
    QString name;
    QString text;
};

// `line` followed by the words of `text`, wrapped at 79 columns; the text starts at `column`,
// and so does every further line.
QString wrapped(QString line, const QString &text, qsizetype column)
{
    constexpr qsizetype kWidth = 79;
    QString lines;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (line.size() > column && line.size() + 1 + word.size() > kWidth) {
            lines += line + u'\n';
            line.clear();
        }
        if (line.size() < column)
            line = line.leftJustified(column);
        else if (line.size() > column)
            line += u' ';
        line += word;
    }
    return lines + line + u'\n';
}

// "  NAME   TEXT" for each entry, under a title.
QString helpSection(const QString &title, const QList<HelpEntry> &entries, qsizetype column)
{
    QString section = title + u'\n';
    for (const HelpEntry &entry : entries)
        section += wrapped(QStringLiteral("  ") + entry.name, entry.text, column);
    return section;
}

// Written here rather than by QCommandLineParser, whose own lines ("Usage:", "Displays help
// on commandline options.") would stay English, or come out oddly, in another language.
QString helpText()
{
    const QString catalogName = QString::fromUtf8(kInputFile);
    const QString outputName = QString::fromUtf8(kOutputFile);
    const QString folder = CommandLine::tr("FOLDER");
    const QList<HelpEntry> options = {
        {QStringLiteral("-h, --help"), CommandLine::tr("Shows this help.")},
        {QStringLiteral("-v, --version"), CommandLine::tr("Shows the version number.")},
        {QStringLiteral("--choose-folder"),
         CommandLine::tr("Asks for the catalog's folder in a dialog, unless %1 is given.")
             .arg(folder)},
    };
    const QList<HelpEntry> arguments = {
        {folder, CommandLine::tr("The folder holding %1, or the path of %1 or %2 in it.")
                     .arg(catalogName, outputName)},
    };
    const QList<HelpEntry> keys = [] {
        QList<HelpEntry> entries;
        for (const WindowKey &key : windowKeys())
            entries.append({key.keys, key.text});
        return entries;
    }();
    qsizetype column = 0;
    for (const QList<HelpEntry> *list : {&options, &arguments, &keys}) {
        for (const HelpEntry &entry : *list)
            column = std::max(column, entry.name.size() + 4);
    }
    return CommandLine::tr("Usage: %1 [options] %2")
               .arg(QStringLiteral("velmora"),
                    CommandLine::tr("[%1 | %1/%2]").arg(folder, catalogName))
        + u'\n'
        + wrapped({},
                  CommandLine::tr("Edits the edge-banding strip catalog %1 in %3, or in the "
                                  "current folder. Changes are saved to %2 in the same folder.")
                      .arg(catalogName, outputName, folder),
                  0)
        + u'\n' + helpSection(CommandLine::tr("Options:"), options, column)
        + u'\n' + helpSection(CommandLine::tr("Arguments:"), arguments, column) + u'\n'
        + helpSection(CommandLine::tr("Keys in the window:"), keys, column);
}

}  // namespace

LaunchRequest readCommandLine(const QStringList &arguments)
{
    const QString catalogName = QString::fromUtf8(kInputFile);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption choose(QStringLiteral("choose-folder"));
    parser.addOptions({help, version, choose});
    // Qt's own options (-platform offscreen, -style fusion, ...) are read by the application
    // object later; here they are only let through.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "display", "geometry", "qwindowgeometry", "qwindowicon",
                             "qwindowtitle", "session", "style", "stylesheet"}) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    const bool parsed = parser.parse(arguments);
    const bool fromLauncher = parser.isSet(choose);
    if (!parsed)
        return refuse(parser.errorText(), fromLauncher);
    if (parser.isSet(help))
        return request(LaunchRequest::Kind::Print, {}, helpText(), false);
    if (parser.isSet(version)) {
        const QString line = QStringLiteral("velmora %1\n");
        return request(LaunchRequest::Kind::Print, {},
                       line.arg(QCoreApplication::applicationVersion()), false);
    }

    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1)
        return refuse(CommandLine::tr("give only one folder or one %1.").arg(catalogName),
                      fromLauncher);
    if (paths.isEmpty()) {
        // A folder without a catalog (Windows starts a program in its own folder when it is
        // opened from Explorer) is no place to open: the user is asked for one.
        if (fromLauncher || !QFileInfo::exists(QDir::current().filePath(catalogName)))
            return request(LaunchRequest::Kind::ChooseFolder, {}, {}, fromLauncher);
        return request(LaunchRequest::Kind::OpenCatalog, QDir::currentPath(), {}, false);
    }

    if (!QFileInfo::exists(paths.front()))
        return refuse(CommandLine::tr("\"%1\" does not exist.").arg(paths.front()), fromLauncher);
    const QString folder = catalogFolderFor(paths.front());
    if (folder.isEmpty()) {
        return refuse(
            CommandLine::tr("\"%1\" is not a catalog: Velmora opens only files named %2 or %3.")
                .arg(paths.front(), catalogName, QString::fromUtf8(kOutputFile)),
            fromLauncher);
    }
    return request(LaunchRequest::Kind::OpenCatalog, folder, {}, fromLauncher);
}
