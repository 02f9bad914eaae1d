#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Marks a text for the translation tools without needing Qt; the same definition as Qt's, so
// a file that sees both compiles cleanly.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

struct MessageArgument;

// A message kept in parts so the window can show it in the user's language: an English format
// with %1..%9 and its arguments. english() is the text the core reports in what().
struct Message
{
    std::string format;
    std::vector<MessageArgument> arguments;

    std::string english() const;
};

// Either text taken as it is (a file name, a number, the system's reason) or a message of its
// own that is translated too.
struct MessageArgument
{
    MessageArgument(std::string text) : literal(std::move(text)) {}
    MessageArgument(const char *text) : literal(text) {}
    MessageArgument(Message text) : translatable{std::move(text)} {}

    std::string literal;
    std::vector<Message> translatable;  // one message, or none for a literal
};

// `format` with each "%1".."%9" replaced by that argument; a place without an argument stays as
// it is. One pass, so a "%2" inside an argument (a file name may hold one) is put in as it is.
std::string substituteArguments(std::string_view format, std::span<const std::string> arguments);

// Carries a Message beside an exception's English what(), for the window to translate; found
// from a std::exception with dynamic_cast.
class CarriesMessage
{
public:
    explicit CarriesMessage(Message message) : m_message(std::move(message)) {}
    const Message &message() const { return m_message; }

private:
    Message m_message;
};
