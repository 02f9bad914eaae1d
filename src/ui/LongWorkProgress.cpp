#include "ui/LongWorkProgress.h"

#include "catalog/CatalogFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QLocale>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTimer>

#include <chrono>
#include <future>
#include <memory>
#include <mutex>

namespace {

constexpr qint64 kShowAfterMs = 500;
constexpr std::chrono::milliseconds kPaintEvery(40);
constexpr int kSteps = 1000;
bool g_running = false;

// Drops from another program come as window-system messages that the event loop hands on even
// while it holds back user input; while the work runs they are refused, so no text lands in a
// record under a save.
class DropRefuser : public QObject
{
public:
    DropRefuser() { QCoreApplication::instance()->installEventFilter(this); }
    ~DropRefuser() override { QCoreApplication::instance()->removeEventFilter(this); }
    DropRefuser(const DropRefuser &) = delete;
    DropRefuser &operator=(const DropRefuser &) = delete;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        event->ignore();
        return true;
    }
};

}  // namespace

LongWorkProgress::LongWorkProgress(QWidget *parent, Work work) : m_parent(parent), m_work(work) {}

bool LongWorkProgress::running()
{
    return g_running;
}

void LongWorkProgress::run(const std::function<void(const ProgressReport &report)> &work)
{
    const QScopedValueRollback<bool> runningNow(g_running, true);
    std::mutex lock;
    CatalogProgress latest;
    const ProgressReport report = [&lock, &latest](const CatalogProgress &progress) {
        const std::scoped_lock hold(lock);
        latest = progress;
    };
    QElapsedTimer clock;
    clock.start();
    // The window's thread runs a loop of its own until the worker ends it; keys and clicks
    // stay queued until then.
    QEventLoop loop;
    std::future<void> done = std::async(std::launch::async, [&work, &report, &loop] {
        const auto endLoop = qScopeGuard(
            [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
        work(report);
    });

    std::unique_ptr<QProgressDialog> dialog;
    const DropRefuser refuseDrops;
    QTimer paint;
    paint.setInterval(kPaintEvery);
    QObject::connect(&paint, &QTimer::timeout, [&] {
        if (clock.elapsed() < kShowAfterMs)
            return;
        CatalogProgress progress;
        {
            const std::scoped_lock hold(lock);
            progress = latest;
        }
        if (!dialog) {
            dialog = std::make_unique<QProgressDialog>(m_parent);
            dialog->setObjectName(QStringLiteral("progressDialog"));
            // A title of its own: the window's title names the editor's one window.
            dialog->setWindowTitle(
                m_work == Work::Save
                    ? QCoreApplication::translate("LongWorkProgress", "Saving %1")
                          .arg(QString::fromUtf8(kOutputFile))
                    : QCoreApplication::translate("LongWorkProgress", "Reading %1")
                          .arg(QString::fromUtf8(kInputFile)));
            // Not modal: a modal dialog's setValue() would let user input through.
            dialog->setWindowModality(Qt::NonModal);
            dialog->setCancelButton(nullptr);
            dialog->setAutoClose(false);
            dialog->setAutoReset(false);
            dialog->setMinimumDuration(0);
            dialog->setMinimumWidth(360);
            dialog->show();
        }
        // A stretch that reports nothing (the memory being handed out, the disk catching up
        // after a save) shows as busy rather than as a bar standing still.
        const bool busy = progress.fraction <= 0 || progress.fraction >= 1;
        dialog->setRange(0, busy ? 0 : kSteps);
        dialog->setValue(busy ? 0 : static_cast<int>(progress.fraction * kSteps));
        dialog->setLabelText(label(progress));
    });
    paint.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    done.get();
}

QString LongWorkProgress::label(const CatalogProgress &progress) const
{
    const QLocale locale;
    // %Ln counts in the locale's digits and picks the translation's plural form.
    if (m_work == Work::Save) {
        const QString output = QString::fromUtf8(kOutputFile);
        if (progress.total > 0 && progress.records == progress.total)
            return QCoreApplication::translate(
                       "LongWorkProgress",
                       "Saving %1: every record written, making sure the disk holds them")
                .arg(output);
        const int total = static_cast<int>(progress.total);
        return QCoreApplication::translate("LongWorkProgress", "Saving %1: %2 of %Ln records",
                                           nullptr, total)
            .arg(output, locale.toString(static_cast<qlonglong>(progress.records)));
    }
    const QString input = QString::fromUtf8(kInputFile);
    if (progress.records == 0)
        return QCoreApplication::translate("LongWorkProgress", "Reading %1").arg(input);
    const int records = static_cast<int>(progress.records);
    return QCoreApplication::translate("LongWorkProgress", "Reading %1: %Ln records", nullptr,
                                       records)
        .arg(input);
}
