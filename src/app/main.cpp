#include "StartupMessage.h"
#include "frmVelmora.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <csignal>
#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char *argv[])
{
    // A file-size limit must make a save fail with a message, not end the program and lose
    // the edits in memory.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    frmVelmora window;
    try {
        window.Form_Load();
    } catch (const std::exception &error) {
        std::error_code ignored;
        const std::string message =
            startupFailureMessage(std::filesystem::current_path(ignored), error.what());
        std::cerr << message << '\n';
        QMessageBox::critical(nullptr, window.windowTitle(), QString::fromStdString(message));
        return 1;
    }
    window.show();
    return app.exec();
}
