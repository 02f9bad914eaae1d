#include "CommandLine.h"

#include "CatalogFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

}  // namespace

LaunchRequest readCommandLine(const QStringList &arguments)
{
    const QString catalogName = QString::fromUtf8(kInputFile);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        CommandLine::tr("Edits the edge-banding strip catalog %1 in FOLDER, or in the current "
                        "folder.\nChanges are saved to %2 in the same folder.")
            .arg(catalogName, QString::fromUtf8(kOutputFile)));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption choose(
        QStringLiteral("choose-folder"),
        CommandLine::tr("Ask for the catalog's folder in a dialog, unless FOLDER is given."));
    parser.addOption(choose);
    // Qt's own options (-platform offscreen, -style fusion, ...) are read by the application
    // object later; here they are only let through.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "display", "geometry", "qwindowgeometry", "qwindowicon",
                             "qwindowtitle", "session", "style", "stylesheet"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(
        QStringLiteral("FOLDER"),
        CommandLine::tr("The folder holding %1, or the path of %1 itself.").arg(catalogName),
        CommandLine::tr("[FOLDER | FOLDER/%1]").arg(catalogName));

    const bool parsed = parser.parse(arguments);
    const bool fromLauncher = parser.isSet(choose);
    if (!parsed)
        return refuse(parser.errorText(), fromLauncher);
    if (parser.isSet(help))
        return request(LaunchRequest::Kind::Print, {}, parser.helpText(), false);
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
        if (fromLauncher)
            return request(LaunchRequest::Kind::ChooseFolder, {}, {}, true);
        return request(LaunchRequest::Kind::OpenCatalog, QDir::currentPath(), {}, false);
    }

    const QFileInfo given(paths.front());
    if (!given.exists())
        return refuse(CommandLine::tr("\"%1\" does not exist.").arg(paths.front()), fromLauncher);
    QString folder;
    if (given.isDir()) {
        folder = given.absoluteFilePath();
    } else if (given.fileName() == catalogName) {
        folder = given.absolutePath();
    } else {
        return refuse(
            CommandLine::tr("\"%1\" is not a catalog: Velmora opens only files named %2.")
                .arg(paths.front(), catalogName),
            fromLauncher);
    }
    return request(LaunchRequest::Kind::OpenCatalog, QDir::cleanPath(folder), {}, fromLauncher);
}
