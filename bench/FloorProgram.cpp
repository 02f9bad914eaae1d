// The least any editor of the catalog must do, as a program the whole-program benchmark times
// beside the editor: read Trake.odl in the current folder in one read into memory populated in
// one call, find where every record starts, show a window of the editor's controls (the same
// design table, plain Qt widgets), and on a click of the save button write every byte to a
// temporary file in the same folder, fsync it and rename it over Trake-novi.odl (then fsync
// the folder). It keeps no records and checks nothing.

#include "RawFileBaselines.h"
#include "catalog/CatalogFiles.h"
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
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "velmora_floor: %s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

// The file's bytes in memory mapped and populated in one call, so that the read takes no page
// fault per 4 KiB.
struct WholeFile
{
    char *data = nullptr;
    std::size_t size = 0;

    std::string_view bytes() const { return {data, size}; }
};

WholeFile readWhole(const char *name)
{
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0)
        fail(name);
    WholeFile file;
    file.size = static_cast<std::size_t>(st.st_size);
    void *mapped = ::mmap(nullptr, std::max<std::size_t>(file.size, 1), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapped == MAP_FAILED)
        fail("mmap");
    file.data = static_cast<char *>(mapped);
    std::size_t got = 0;
    while (got < file.size) {
        const ssize_t n = ::read(fd, file.data + got, file.size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(name);
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return file;
}

// Where each record starts: after every 45th line end (CR, as the catalog's lines end).
std::vector<const char *> recordStarts(std::string_view bytes)
{
    std::vector<const char *> starts;
    starts.reserve(bytes.size() / 1024 + 1);
    const char *at = bytes.data();
    const char *const end = at + bytes.size();
    int line = 0;
    while (at < end) {
        if (line == 0)
            starts.push_back(at);
        const void *cr = std::memchr(at, '\r', static_cast<std::size_t>(end - at));
        if (cr == nullptr)
            break;
        at = static_cast<const char *>(cr) + 1;
        line = line == kLinesPerRecord - 1 ? 0 : line + 1;
    }
    return starts;
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
    const std::vector<const char *> starts = recordStarts(bytes);

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
            // The first record's first line, so that the record starts are used.
            widget = new QLineEdit(std::string_view(control.name) == "txtBase_Naziv"
                                       && !starts.empty()
                                       ? QString::fromLatin1(starts.front(),
                                                             qsizetype(std::min<std::size_t>(
                                                                 bytes.size(), 80)))
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
