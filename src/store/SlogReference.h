#pragma once

#include "store/clsSlog.h"

#include <memory>

// The program-wide reference to the record store. The store comes into being on first use, so
// that dropping it (at window load) and touching it again gives a fresh store with count 0.
class SlogReference
{
public:
    clsSlog *operator->() { return &get(); }

    void reset() { m_slog.reset(); }
    bool exists() const { return m_slog != nullptr; }

private:
    clsSlog &get()
    {
        if (!m_slog)
            m_slog = std::make_unique<clsSlog>();
        return *m_slog;
    }

    std::unique_ptr<clsSlog> m_slog;
};
