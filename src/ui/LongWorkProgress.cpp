#include "LongWorkProgress.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

namespace {

constexpr qint64 kShowAfterMs = 500;
constexpr qint64 kPaintEveryMs = 40;
constexpr int kSteps = 1000;

}  // namespace

LongWorkProgress::LongWorkProgress(QWidget *parent, Work work) : m_parent(parent), m_work(work)
{
    m_clock.start();
}

LongWorkProgress::~LongWorkProgress() = default;

ProgressReport LongWorkProgress::report()
{
    return [this](const CatalogProgress &progress) { update(progress); };
}

void LongWorkProgress::update(const CatalogProgress &progress)
{
    const qint64 now = m_clock.elapsed();
    if (now < kShowAfterMs || now - m_lastPaint < kPaintEveryMs)
        return;
    m_lastPaint = now;
    if (!m_dialog) {
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setObjectName(QStringLiteral("progressDialog"));
        m_dialog->setWindowTitle(m_parent ? m_parent->windowTitle() : QString());
        // Not modal: a modal dialog's setValue() would take user input too.
        m_dialog->setWindowModality(Qt::NonModal);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setRange(0, kSteps);
        m_dialog->setMinimumWidth(360);
        m_dialog->show();
    }
    m_dialog->setLabelText(label(progress));
    m_dialog->setValue(static_cast<int>(progress.fraction * kSteps));
    // Painting and the window system's other events; keys and clicks stay queued.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString LongWorkProgress::label(const CatalogProgress &progress) const
{
    const QLocale locale;
    if (m_work == Work::Save) {
        return QCoreApplication::translate("LongWorkProgress",
                                           "Saving Trake-novi.odl: %1 of %2 records")
            .arg(locale.toString(static_cast<qlonglong>(progress.records)),
                 locale.toString(static_cast<qlonglong>(progress.total)));
    }
    if (progress.records == 0)
        return QCoreApplication::translate("LongWorkProgress", "Reading Trake.odl");
    return QCoreApplication::translate("LongWorkProgress", "Reading Trake.odl: %1 records")
        .arg(locale.toString(static_cast<qlonglong>(progress.records)));
}
