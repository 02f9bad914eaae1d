#pragma once

#include "catalog/CatalogProgress.h"

#include <QString>

#include <functional>

class QWidget;

// Runs a load or save on a worker thread while the window goes on painting, and shows how far
// it has come once it has run for half a second; a short one shows nothing. User input waits
// until the work is done and drops are refused; timers, close requests and the session
// manager's requests still arrive, so the caller keeps them from the records (the window
// disables its controls and holds such requests back until the work is done).
class LongWorkProgress
{
public:
    enum class Work { Load, Save };

    LongWorkProgress(QWidget *parent, Work work);

    // Runs `work` with the report to give the core and returns when it is done, throwing
    // whatever it threw.
    void run(const std::function<void(const ProgressReport &report)> &work);

    // Whether a load or save is running now. The session manager's requests are not user
    // input and still arrive meanwhile.
    static bool running();

private:
    QString label(const CatalogProgress &progress) const;

    QWidget *m_parent;
    Work m_work;
};
