// The least any editor of the catalog must do, as a program the whole-program benchmark times
// beside the editor: read Trake.odl in the current folder whole and split it into lines, show
// a window of the editor's controls (the same design table, plain Qt widgets), and on a click
// of the save button write every byte to a temporary file in the same folder, fsync it and
// rename it over Trake-novi.odl (then fsync the folder). It keeps no records and checks nothing.

#include "RawFileBaselines.h"
#include "ui/frmVelmoraDesign.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "velmora_floor: %s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

struct WholeFile
{
    std::unique_ptr<char[]> data;
    std::size_t size = 0;

    std::string_view bytes() const { return {data.get(), size}; }
};

WholeFile readWhole(const char *name)
{
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0)
        fail(name);
    WholeFile file{std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(st.st_size)),
                   static_cast<std::size_t>(st.st_size)};
    std::size_t got = 0;
    while (got < file.size) {
        const ssize_t n = ::read(fd, file.data.get() + got, file.size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(name);
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return file;
}

// Lines end at CR LF, as the catalog's do. Counted first, so the list is allocated once.
std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 1);
    while (!bytes.empty()) {
        const std::size_t end = bytes.find("\r\n");
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 2);
    }
    return lines;
}

// The raw replace the catalog benchmark measures, with the folder's fsync after the rename.
void replace(std::string_view bytes)
{
    try {
        replaceRaw("Trake-novi.odl", bytes);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "velmora_floor: %s\n", error.what());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    const WholeFile file = readWhole("Trake.odl");
    const std::string_view bytes = file.bytes();
    const std::vector<std::string_view> lines = splitLines(bytes);

    QApplication app(argc, argv);
    QWidget window;
    const WindowDesign &design = frmVelmoraWindowDesign();
    window.setWindowTitle(QString::fromUtf8(design.title));
    window.setFixedSize(twipsToPixels(design.clientWidth), twipsToPixels(design.clientHeight));
    QWidget *frame = nullptr;
    for (const ControlDesign &control : frmVelmoraDesign()) {
        QWidget *parent = control.container == Container::Frame1 ? frame : &window;
        const QString caption = QString::fromUtf8(control.caption);
        QWidget *widget = nullptr;
        switch (control.kind) {
        case ControlKind::Frame:
            widget = frame = new QGroupBox(parent);
            break;
        case ControlKind::Label:
            widget = new QLabel(caption, parent);
            break;
        case ControlKind::TextBox:
            // The first record's name line, so that the split is used.
            widget = new QLineEdit(std::string_view(control.name) == "txtBase_Naziv"
                                       && !lines.empty()
                                       ? QString::fromLatin1(lines.front().data(),
                                                             qsizetype(lines.front().size()))
                                       : caption,
                                   parent);
            break;
        case ControlKind::CommandButton:
        case ControlKind::UpDown: {
            auto *button = new QPushButton(caption, parent);
            if (std::string_view(control.name) == "Command1")
                QObject::connect(button, &QPushButton::clicked, [bytes] { replace(bytes); });
            widget = button;
            break;
        }
        }
        widget->setGeometry(twipsToPixels(control));
    }
    window.show();
    return app.exec();
}
