#include "operations/RecordNumberText.h"

#include <limits>

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();

bool isSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the text one meaningful character at a time, stepping over what the reading skips.
class Cursor
{
public:
    explicit Cursor(std::u16string_view text) : m_text(text) { skip(); }

    bool atEnd() const { return m_pos == m_text.size(); }
    char16_t peek() const { return m_text[m_pos]; }
    void next()
    {
        ++m_pos;
        skip();
    }

private:
    void skip()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
    }

    std::u16string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

std::int64_t recordNumberFromText(std::u16string_view text)
{
    Cursor cursor(text);
    bool negative = false;
    if (!cursor.atEnd() && (cursor.peek() == u'-' || cursor.peek() == u'+')) {
        negative = cursor.peek() == u'-';
        cursor.next();
    }

    std::int64_t whole = 0;
    bool saturated = false;
    while (!cursor.atEnd() && isDigit(cursor.peek())) {
        const int digit = cursor.peek() - u'0';
        if (whole > (kLargest - digit) / 10)
            saturated = true;
        else
            whole = whole * 10 + digit;
        cursor.next();
    }
    if (saturated)
        return negative ? -kLargest : kLargest;

    // Only the first decimal digit and whether anything non-zero follows it decide rounding.
    int firstDecimal = 0;
    bool restNonZero = false;
    if (!cursor.atEnd() && cursor.peek() == u'.') {
        cursor.next();
        bool first = true;
        while (!cursor.atEnd() && isDigit(cursor.peek())) {
            const int digit = cursor.peek() - u'0';
            if (first)
                firstDecimal = digit;
            else if (digit != 0)
                restNonZero = true;
            first = false;
            cursor.next();
        }
    }

    const bool above = firstDecimal > 5 || (firstDecimal == 5 && restNonZero);
    const bool half = firstDecimal == 5 && !restNonZero;
    if ((above || (half && whole % 2 != 0)) && whole < kLargest)
        ++whole;
    return negative ? -whole : whole;
}
