#pragma once

#include <QString>

#include <exception>

struct Message;

// A message from the core in the user's language: its format and every translatable argument
// translated, then the arguments put in (the core spells file names in UTF-8 on every system).
QString messageText(const Message &message);

// The same for any exception: a core message where it carries one, else its what() as it is.
QString messageText(const std::exception &error);

// `text` set apart from the direction of the sentence it is quoted in (FSI ... PDI), so that a
// right-to-left letter does not turn the sentence around it.
QString isolated(const QString &text);

// `text` with no line break inside the catalog's file names or a date ("Trake-/novi.odl",
// "07./12. 2026."): a word joiner follows their hyphens, and a date's spaces do not break.
QString keptWhole(QString text);
