#pragma once

#include "catalog/RecordTemplate.h"
#include "store/clsSlog.h"
#include "ui/LongWorkProgress.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CaptionLabel;
class CommandColumn;
struct ControlDesign;
class DesignView;
class ElidedLabel;
class FindBar;
class QLabel;
class QScreen;
class QSessionManager;
class QShortcut;
class TextBox;
class UpDown;

// The editor's one window: a frame that lays out a record as its own text, the record-number
// box with its up-down, the record count and the four command buttons; beside them the folder
// being edited and a find field (Ctrl+F). Its handlers keep the program going after a failure:
// each reports what went wrong and leaves memory as it was. Its members are defined along their
// jobs: frmVelmora.cpp builds the form, frmVelmoraRecord.cpp shows and checks the record on
// screen and finds, frmVelmoraCommands.cpp runs the commands with their questions and messages.
class frmVelmora : public QWidget
{
    Q_OBJECT

public:
    // Shows a failure to the user. The default is a critical message box over the window.
    using ErrorReporter = std::function<void(const QString &message)>;

    // A question with a few buttons; Enter presses the default one, Escape the escape one.
    struct Question
    {
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton escapeButton;
        QList<QPair<QMessageBox::StandardButton, QString>> captions;  // own captions, if any
    };
    // Asks a question and returns the button pressed. The default is a message box over the
    // window; closing it any other way presses the escape button.
    using Asker = std::function<QMessageBox::StandardButton(const Question &question)>;

    explicit frmVelmora(QWidget *parent = nullptr);
    ~frmVelmora() override;
    frmVelmora(const frmVelmora &) = delete;
    frmVelmora &operator=(const frmVelmora &) = delete;

    // Drops the record store, reads "Trake.odl" (or takes the load `started` at the program's
    // start) and shows record 1, before the window is first shown. A file that cannot be read
    // or holds no record throws CatalogError, for the program's start to report.
    void Form_Load(StartedLoad *started = nullptr);
    // Shows record brojsloga: its number, the count and every member the window shows. Callers
    // set gBrojSloga to brojsloga first (showCurrentRecord), so a value box writes back the
    // value just shown.
    void IspisSlogaNaEkranu(std::int32_t brojsloga);

    void setErrorReporter(ErrorReporter reporter);
    void setAsker(Asker asker);
    // Shows something the user must know though the operation went through. The default is a
    // warning message box over the window.
    void setWarningReporter(ErrorReporter reporter);

    // A control by its design name; null for a name the window does not have.
    QWidget *control(const QString &name) const;

    // The surface the record's frame stands on, at the design's size: the design's left part.
    QWidget *recordArea() const;
    // The surface of the command column, the design's right part, which stays in view.
    QWidget *columnArea() const;

    // Sizes the window for a screen whose free area (less its panels) is `available`: the
    // design's size where that fits with the window's frame, else smaller and resizable, the
    // record's frame scrolling beside the command column.
    void fitToScreen(const QRect &available);

    // Whether the desktop session may end now, as it asks before it logs out: not while a load
    // or save runs or a question is open; with edits not saved, only once the user saved or
    // dropped them, asked only where `mayAsk` (the session's leave to interact) allows it.
    bool sessionMayEnd(const std::function<bool()> &mayAsk);

protected:
    void showEvent(QShowEvent *event) override;
    // Leaving asks first when there are edits not saved; see leave().
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum class Leaving { Exit, Reload, Open };

    // The design's buttons that save and that leave.
    static constexpr const char *kSaveButton = "Command1";
    static constexpr const char *kLeaveButton = "Command2";

    // The window's caption, without the mark of unsaved work.
    static QString caption();

    void createControls();
    static QWidget *createControl(const ControlDesign &design, QWidget *parent);
    void bindShownMembers();
    void applyTabOrder();
    void applyAccessibleNames();
    void connectHandlers();

    // The display the store calls: the record number, the count, and every shown member.
    void showCurrentRecord();

    void onRecordNumberChanged();
    void onReloadClicked();
    void onSaveClicked();
    void onAppendClicked();
    void onCommitDataRequest(QSessionManager &manager);

    // Saves after the questions a save may need; false when it was cancelled or failed (and
    // reported).
    bool save();
    // Asks about unsaved edits, then closes the window; does nothing while a question or notice
    // is open or a load or save runs.
    void leave();
    // Runs a load's or save's work on a worker thread, showing progress when it takes long.
    LongWork inBackground(LongWorkProgress::Work work);
    // Disables the controls and the shortcuts, or enables them again.
    void holdControls(bool held);
    // Whether the edits not yet saved may go: none, or the user saved or dropped them. Cancel
    // answers false. Leaving::Open names `folder`, whose catalog is to be opened.
    bool confirmDroppingEdits(Leaving leaving, const QString &folder = QString());
    // Opens the catalog in `folder`, dropped on the window, after the unsaved question; where
    // it cannot be loaded, the folder and the records stay as they were.
    void openDroppedCatalog(const QString &folder);
    // The record store just loaded, on screen from record 1.
    void showLoadedCatalog();
    QMessageBox::StandardButton ask(const Question &question);
    // What the value box for `member` refuses in the record on screen, with the reason.
    QString valueRefusal(const RecordMember &member, const QString &text) const;
    void showSaved() noexcept;
    void showUnsaved();

    // Around the design: the folder being edited, the find field, the window's shortcuts.
    void createDesignView();
    void createAdditions();
    void createShortcuts();
    // Fits the window again when it moves to another screen, or its screen's panels change.
    void followScreen();
    void followScreenOf(QScreen *screen);
    void showFolder();
    void openFind();
    // Shows the first record from `from` on (wrapping) that holds the find field's text.
    void findFrom(std::int64_t from);

    // Runs a handler's body; whatever it throws is reported here, never left to Qt.
    void runHandler(const std::function<void()> &body);
    void report(const QString &message);
    void warn(const QString &message);
    // What the user must know about the catalog just loaded before saving it.
    void warnAboutLoadedCatalog();
    // The notices of a start, once the window is shown (or after `triesLeft` more waits).
    void showStartNotices(int triesLeft);
    void noticeNewerOutput();
    // Frees the memory kept for this, then says that memory ran out; never throws.
    void keepMemoryReserve();
    void reportOutOfMemory() noexcept;

    // A member of the record's shape with the box or the label that shows it.
    struct ShownMember
    {
        const RecordMember *member;
        TextBox *box;
        CaptionLabel *label;
    };

    // What the last save wrote, and when.
    struct SavedLine
    {
        QDateTime when;
        std::int32_t records;
    };

    QHash<QString, QWidget *> m_controls;
    QList<QShortcut *> m_shortcuts;
    std::vector<ShownMember> m_shown;
    TextBox *m_txtBrojSloga = nullptr;
    CaptionLabel *m_lblUkupnoSlogova = nullptr;
    UpDown *m_UpDnBrSloga = nullptr;
    QLabel *m_lblStatus = nullptr;
    DesignView *m_view = nullptr;
    CommandColumn *m_column = nullptr;
    int m_columnLeft = 0;  // where the command column starts on the design, in pixels
    ElidedLabel *m_lblFolder = nullptr;
    FindBar *m_find = nullptr;
    bool m_followingScreen = false;
    std::optional<SavedLine> m_saved;
    int m_openDialogs = 0;          // questions and notices open now
    bool m_leaving = false;         // the user has said yes to leaving: the close goes through
    bool m_leaveAfterWork = false;  // a close came while a load or save ran
    QMetaObject::Connection m_screenWatch;
    ErrorReporter m_reportError;
    ErrorReporter m_reportWarning;
    Asker m_ask;
    // Kept so that a message can still be shown when memory runs out: freed first, then the
    // message, ready made, is shown.
    std::unique_ptr<char[]> m_memoryReserve;
    QString m_outOfMemory;
};
