#include "catalog/Message.h"

// One pass, so a "%2" inside an argument (a file name may hold one) stays as it is.
std::string Message::english() const
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
        const MessageArgument &argument = arguments[index];
        text += argument.translatable.empty() ? argument.literal
                                              : argument.translatable.front().english();
        ++i;
    }
    return text;
}
