#include "catalog/Message.h"

std::string substituteArguments(std::string_view format, std::span<const std::string> arguments)
{
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const std::size_t index = i + 1 < format.size() && format[i] == '%'
                                          && format[i + 1] >= '1' && format[i + 1] <= '9'
                                      ? static_cast<std::size_t>(format[i + 1] - '1')
                                      : arguments.size();
        if (index >= arguments.size()) {
            text += format[i];
            continue;
        }
        text += arguments[index];
        ++i;
    }
    return text;
}

std::string Message::english() const
{
    std::vector<std::string> parts;
    parts.reserve(arguments.size());
    for (const MessageArgument &argument : arguments) {
        parts.push_back(argument.translatable.empty() ? argument.literal
                                                      : argument.translatable.front().english());
    }
    return substituteArguments(format, parts);
}
