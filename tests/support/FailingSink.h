#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string_view>

// A sink for writeCatalog that passes its blocks on until `limit` bytes have gone through,
// then passes on what still fits and throws, as a device that goes away part-way would.
class FailingSink
{
public:
    FailingSink(std::function<void(std::string_view)> next, std::size_t limit)
        : m_next(std::move(next)), m_left(limit)
    {
    }

    void operator()(std::string_view block)
    {
        const std::string_view fits = block.substr(0, m_left);
        m_next(fits);
        m_left -= fits.size();
        if (fits.size() < block.size())
            throw std::runtime_error("the device went away");
    }

private:
    std::function<void(std::string_view)> m_next;
    std::size_t m_left;
};
