#include "app/CatalogFolder.h"
#include "app/CommandLine.h"
#include "catalog/FileSystem.h"
#include "store/clsSlog.h"
#include "ui/StartupMessage.h"
#include "ui/Translations.h"
#include "ui/frmVelmora.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace {

// Rendered from the same drawing as the installed icons, in the sizes that
// desktop/CMakeLists.txt lists; none when the build rendered no bitmaps.
QIcon programIcon()
{
    QIcon icon;
#ifdef VELMORA_ICON_SIZES
    for (const int size : {VELMORA_ICON_SIZES}) {
        const QString file = QStringLiteral(":/icons/velmora-%1.png").arg(size);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
#endif
    return icon;
}

// The command line is read without a display: help, the version and a mistyped command must
// work in any terminal.
LaunchRequest readRequest(int &argc, char *argv[])
{
    QCoreApplication reader(argc, argv);
    const Translations translations(QLocale::system());
    return readCommandLine(QCoreApplication::arguments());
}

// Enters the folder the catalog is read from and saved to, asking for it first where the
// request says so. Returns the exit code when the program ends instead: 0 on Cancel.
std::optional<int> enterCatalogFolder(const LaunchRequest &request)
{
    QString folder = request.folder;
    const bool chosen = request.kind == LaunchRequest::Kind::ChooseFolder;
    if (chosen) {
        folder = askForCatalogFolder();
        if (folder.isEmpty())
            return 0;
    }
    if (!QDir::setCurrent(folder)) {
        const QString message =
            QCoreApplication::translate("main", "Cannot enter the folder \"%1\".").arg(folder);
        std::fputs(("velmora: " + message + u'\n').toLocal8Bit().constData(), stderr);
        QMessageBox::critical(nullptr, QStringLiteral("Velmora"), message);
        return 2;
    }
    // Only a folder chosen in the dialog is where the dialog starts next time.
    if (chosen)
        rememberCatalogFolder(folder);
    return std::nullopt;
}

}  // namespace

int main(int argc, char *argv[])
{
    letWritesPastTheSizeLimitFail();

    QCoreApplication::setOrganizationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    const LaunchRequest request = readRequest(argc, argv);
    if (request.kind == LaunchRequest::Kind::Print) {
        std::fputs(request.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (request.kind == LaunchRequest::Kind::Refuse) {
        std::fputs(request.text.toLocal8Bit().constData(), stderr);
        if (!request.fromLauncher)
            return 2;
    }

    // The catalog is read while the window system is reached and the window is made.
    std::unique_ptr<StartedLoad> started;
    if (request.kind == LaunchRequest::Kind::OpenCatalog && QDir::setCurrent(request.folder))
        started = clsSlog::startLoading();

    QApplication app(argc, argv);
    const Translations translations(QLocale::system());
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));

    if (request.kind == LaunchRequest::Kind::Refuse) {
        QMessageBox::warning(nullptr, QStringLiteral("Velmora"), request.mistake);
        return 2;
    }
    if (const std::optional<int> exitCode = enterCatalogFolder(request))
        return *exitCode;

    frmVelmora window;
    try {
        window.Form_Load(started.get());
    } catch (const std::exception &error) {
        std::error_code ignored;
        const std::string message =
            startupFailureMessage(std::filesystem::current_path(ignored), error);
        std::cerr << message << '\n';
        QMessageBox::critical(nullptr, window.windowTitle(), QString::fromStdString(message));
        return 1;
    }
    window.show();
    return app.exec();
}
