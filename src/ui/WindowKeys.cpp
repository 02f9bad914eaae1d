#include "ui/WindowKeys.h"

#include "catalog/CatalogFiles.h"

#include <QCoreApplication>

// The translation context of the texts below.
struct WindowKeys
{
    Q_DECLARE_TR_FUNCTIONS(WindowKeys)
};

QList<WindowKey> windowKeys()
{
    return {
        {QStringLiteral("Ctrl+S"),
         WindowKeys::tr("Saves the catalog to %1.").arg(QString::fromUtf8(kOutputFile))},
        {QStringLiteral("Ctrl+F"),
         WindowKeys::tr("Finds a strip by its name, description, unit or price: Enter or F3 "
                        "finds the next one, Escape closes the find field.")},
        {WindowKeys::tr("Up, Down"),
         WindowKeys::tr("Steps to the previous or next record; so does the mouse wheel turned "
                        "over the record number or its arrows.")},
        {QStringLiteral("Escape"),
         WindowKeys::tr("Closes a note or the find field; it never leaves the editor.")},
        {QStringLiteral("F1"), WindowKeys::tr("Shows the version, the keys and the licence.")},
        {QStringLiteral("Ctrl+Q"),
         WindowKeys::tr("Leaves the editor, asking first when there are unsaved edits.")},
    };
}
