#include "ui/LongWorkProgress.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QProgressDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Runs `work` for `length` under LongWorkProgress and looks at the window every few
// milliseconds meanwhile: whether the progress dialog is up, and whether a drop lands.
struct Seen
{
    bool dialogBefore = false;  // within the first 400 ms
    bool dialogAfter = false;   // after 600 ms
    bool dropLanded = false;
    bool dropLandsAfter = false;
    bool running = false;
};

// Counts the drops that reach it. A plain object: a widget takes only drops of a drag the
// window system runs, but every drop passes the application's filters first.
class DropTarget : public QObject
{
public:

    // Whether a drop sent to it now reaches it.
    bool dropLands()
    {
        const int before = m_drops;
        QMimeData text;
        text.setText(QStringLiteral("dropped"));
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(this, &drop);
        return m_drops > before;
    }

protected:
    bool event(QEvent *event) override
    {
        m_drops += event->type() == QEvent::Drop;
        return QObject::event(event);
    }

private:
    int m_drops = 0;
};

Seen runFor(std::chrono::milliseconds length)
{
    QWidget window;
    DropTarget box;
    window.show();
    Seen seen;
    QElapsedTimer clock;
    clock.start();
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const bool shown = window.findChild<QProgressDialog *>(QStringLiteral("progressDialog"))
                           != nullptr;
        if (clock.elapsed() < 400)
            seen.dialogBefore = seen.dialogBefore || shown;
        else if (clock.elapsed() > 600)
            seen.dialogAfter = seen.dialogAfter || shown;
        seen.running = seen.running || LongWorkProgress::running();
        seen.dropLanded = seen.dropLanded || box.dropLands();
    });
    probe.start(20);
    LongWorkProgress(&window, LongWorkProgress::Work::Save)
        .run([length](const ProgressReport &report) {
            report({1, 2, 0.5});
            std::this_thread::sleep_for(length);
        });
    seen.dropLandsAfter = box.dropLands();
    return seen;
}

// The dialog shows only for work that runs past half a second, drops are refused throughout,
// and what the work throws comes out of run().
TEST(LongWorkProgressTest, ShowsLateRefusesDropsAndPassesFailuresOn)
{
    const struct
    {
        std::chrono::milliseconds length;
        bool dialog;
    } rows[] = {{200ms, false}, {900ms, true}};
    for (const auto &row : rows) {
        const Seen seen = runFor(row.length);
        EXPECT_FALSE(seen.dialogBefore) << row.length.count();
        EXPECT_EQ(seen.dialogAfter, row.dialog) << row.length.count();
        EXPECT_FALSE(seen.dropLanded) << row.length.count();
        EXPECT_TRUE(seen.dropLandsAfter) << row.length.count();
        EXPECT_TRUE(seen.running) << row.length.count();
    }
    EXPECT_FALSE(LongWorkProgress::running());
    QWidget window;
    EXPECT_THROW(LongWorkProgress(&window, LongWorkProgress::Work::Load)
                     .run([](const ProgressReport &) { throw std::runtime_error("disk"); }),
                 std::runtime_error);
}

}  // namespace
