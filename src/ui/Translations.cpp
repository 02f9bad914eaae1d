#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

Translations::Translations(const QLocale &locale)
{
    // Built into the program, so an installed copy never runs with a missing language file.
    if (m_own.load(locale, QStringLiteral("velmora"), QStringLiteral("_"),
                   QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&m_own);
    // Qt's own files are a separate package; without them its texts stay English.
    if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
}

Translations::~Translations()
{
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_own);
}
