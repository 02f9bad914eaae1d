#pragma once

#include "CatalogProgress.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// Shows how far a load or save has come once it has run for half a second, and keeps the
// windows painting meanwhile. User input waits until the work is done, so nothing can change
// the records under a save; a short load or save shows nothing. One object per operation.
class LongWorkProgress
{
public:
    enum class Work { Load, Save };

    LongWorkProgress(QWidget *parent, Work work);
    ~LongWorkProgress();
    LongWorkProgress(const LongWorkProgress &) = delete;
    LongWorkProgress &operator=(const LongWorkProgress &) = delete;

    // The report for the core to call; valid while this object lives.
    ProgressReport report();

private:
    void update(const CatalogProgress &progress);
    QString label(const CatalogProgress &progress) const;

    QWidget *m_parent;
    Work m_work;
    QElapsedTimer m_clock;
    qint64 m_lastPaint = 0;
    std::unique_ptr<QProgressDialog> m_dialog;
};
