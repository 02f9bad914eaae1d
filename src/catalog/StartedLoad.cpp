#include "catalog/StartedLoad.h"

#include "catalog/CatalogLoader.h"

#include <system_error>
#include <utility>

StartedLoad::StartedLoad(std::filesystem::path file) : m_file(std::move(file))
{
    const auto load = [this, callerDone = m_callerDone.get_future().share()] {
        return loadCatalog(
            m_file, [this](const CatalogProgress &progress) { report(progress); }, callerDone);
    };
    try {
        m_loaded = std::async(std::launch::async, load);
    } catch (const std::system_error &) {
        m_loaded = std::async(std::launch::deferred, load);
    }
}

LoadedCatalog StartedLoad::take(const ProgressReport &progress)
{
    m_callerDone.set_value();
    {
        const std::lock_guard lock(m_lock);
        m_progress = progress;
        if (m_progress && m_latest)
            m_progress(*m_latest);
    }
    return m_loaded.get();
}

void StartedLoad::report(const CatalogProgress &progress)
{
    const std::lock_guard lock(m_lock);
    m_latest = progress;
    if (m_progress)
        m_progress(progress);
}
