#pragma once

#include "TempFolder.h"
#include "store/basMain.h"
#include "ui/CaptionLabel.h"
#include "ui/CommandButton.h"
#include "ui/TextBox.h"
#include "ui/UpDown.h"
#include "ui/frmVelmora.h"
#include "ui/frmVelmoraDesign.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// A window over a catalog in a fresh current folder, with failures collected instead of shown.
class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes "Trake.odl" (typical records or the bytes given), then builds the window and runs
    // its load, as the program's start does.
    void openWith(std::int64_t records);
    void openWithBytes(const std::string &catalog);
    // Builds the window only, with its design-time values.
    void createWindow();

    frmVelmora &window() const { return *m_window; }
    TextBox *box(const char *name) const;
    CaptionLabel *label(const char *name) const;
    CommandButton *button(const char *name) const;
    UpDown *upDown() const;

    void click(const char *buttonName) const;
    // Selects the whole text of the box, then types `keys` one key at a time.
    void typeOver(const char *boxName, const QString &keys) const;
    // Puts `text` on the clipboard and pastes it over the box's whole text.
    void pasteOver(const char *boxName, const QString &text) const;

    // The note open at a box; empty when none is.
    QString note() const;

    // Every record in memory as the writer would save it.
    static std::string memoryBytes();

    TempFolder folder;
    QStringList messages;
    QStringList warnings;
    // Every question asked, and the answers to give in turn; with none left, the escape
    // button is pressed.
    QStringList questions;
    QList<QMessageBox::StandardButton> answers;
    // Runs while each question or notice is open, before it is answered.
    std::function<void()> whileOpen;

private:
    std::unique_ptr<frmVelmora> m_window;
};

// Catalog bytes as the window shows them.
QString shown(std::string_view bytes);

// The design's row of the control `name`, which must be one of the design's.
const ControlDesign &designOf(const char *name);

// A catalog of typical records with one line of one record replaced.
std::string catalogWithLine(std::int64_t records, std::int64_t record, int line,
                            const std::string &text);
