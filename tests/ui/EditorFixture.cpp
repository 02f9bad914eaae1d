#include "EditorFixture.h"

#include "ProgramState.h"
#include "TypicalRecord.h"
#include "Typing.h"
#include "catalog/CatalogWriter.h"
#include "catalog/CodePage1250.h"
#include "ui/BoxNote.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <algorithm>
#include <string_view>

void EditorFixture::SetUp()
{
    resetProgramState();
}

void EditorFixture::TearDown()
{
    m_window.reset();
    resetProgramState();
}

void EditorFixture::openWith(std::int64_t records)
{
    openWithBytes(typicalCatalog(records));
}

void EditorFixture::openWithBytes(const std::string &catalog)
{
    folder.write("Trake.odl", catalog);
    createWindow();
    m_window->Form_Load();
    m_window->show();
}

void EditorFixture::createWindow()
{
    m_window = std::make_unique<frmVelmora>();
    const auto collect = [this](QStringList &into, const QString &text) {
        into << text;
        if (whileOpen)
            whileOpen();
    };
    m_window->setErrorReporter([=, this](const QString &message) { collect(messages, message); });
    m_window->setWarningReporter([=, this](const QString &message) { collect(warnings, message); });
    m_window->setAsker([=, this](const frmVelmora::Question &question) {
        collect(questions, question.text);
        return answers.isEmpty() ? question.escapeButton : answers.takeFirst();
    });
}

TextBox *EditorFixture::box(const char *name) const
{
    auto *found = m_window->findChild<TextBox *>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

CaptionLabel *EditorFixture::label(const char *name) const
{
    auto *found = m_window->findChild<CaptionLabel *>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

CommandButton *EditorFixture::button(const char *name) const
{
    auto *found = m_window->findChild<CommandButton *>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

UpDown *EditorFixture::upDown() const
{
    return m_window->findChild<UpDown *>(QStringLiteral("UpDnBrSloga"));
}

void EditorFixture::click(const char *buttonName) const
{
    QTest::mouseClick(button(buttonName), Qt::LeftButton);
}

void EditorFixture::typeOver(const char *boxName, const QString &keys) const
{
    TextBox *target = box(boxName);
    target->selectAll();
    if (keys.isEmpty())
        QTest::keyClick(target, Qt::Key_Backspace);
    else
        typeKeys(target, keys);
}

void EditorFixture::pasteOver(const char *boxName, const QString &text) const
{
    TextBox *target = box(boxName);
    QApplication::clipboard()->setText(text);
    target->selectAll();
    target->paste();
}

QString EditorFixture::note() const
{
    const BoxNote *open = BoxNote::openIn(m_window.get());
    return open != nullptr ? open->text() : QString();
}

std::string EditorFixture::memoryBytes()
{
    return catalogBytes(gRecords, gSlog->UkBrSlogova);
}

QString shown(std::string_view bytes)
{
    return QString::fromStdU16String(CodePage1250::decode(bytes));
}

const ControlDesign &designOf(const char *name)
{
    const auto designs = frmVelmoraDesign();
    return *std::find_if(designs.begin(), designs.end(), [name](const ControlDesign &design) {
        return std::string_view(design.name) == name;
    });
}

std::string catalogWithLine(std::int64_t records, std::int64_t record, int line,
                            const std::string &text)
{
    std::string bytes;
    for (std::int64_t n = 1; n <= records; ++n) {
        auto lines = typicalRecordLines(n);
        if (n == record)
            lines[static_cast<std::size_t>(line - 1)] = text;
        for (const std::string &each : lines)
            bytes += each + "\r\n";
    }
    return bytes;
}
