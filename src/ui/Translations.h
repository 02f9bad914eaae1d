#pragma once

#include <QTranslator>

class QLocale;

// The program's messages and Qt's own (standard buttons, file dialogs, command-line help) in
// the locale's language, for as long as the object lives. English, the source language, needs
// no file; a language without a translation stays English. The window's captions are never
// translated.
class Translations
{
public:
    explicit Translations(const QLocale &locale);
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

private:
    QTranslator m_own;
    QTranslator m_qt;
};
