#include "ui/CatalogDrop.h"

#include "catalog/CatalogFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <utility>

QString droppedCatalogFolder(const QMimeData *mime)
{
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return QString();
    const QFileInfo dropped(urls.front().toLocalFile());
    const QString catalog = QString::fromUtf8(kInputFile);
    if (dropped.isDir() && QFileInfo(QDir(dropped.absoluteFilePath()), catalog).isFile())
        return QDir::cleanPath(dropped.absoluteFilePath());
    if (dropped.isFile() && dropped.fileName() == catalog)
        return dropped.absolutePath();
    return QString();
}

CatalogDrop::CatalogDrop(QWidget *window, std::function<void(const QString &folder)> open)
    : QObject(window), m_window(window), m_open(std::move(open))
{
    // Drags over the labels, which take none, come to the window.
    window->setAcceptDrops(true);
    QCoreApplication::instance()->installEventFilter(this);
}

CatalogDrop::~CatalogDrop()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool CatalogDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    auto *drop = static_cast<QDropEvent *>(event);
    if (widget == nullptr || widget->window() != m_window || !drop->mimeData()->hasUrls())
        return false;
    // Never taken as a move: the program that dragged the file would then delete it.
    const Qt::DropActions possible = drop->possibleActions();
    const Qt::DropAction action = possible.testFlag(Qt::CopyAction) ? Qt::CopyAction
        : possible.testFlag(Qt::LinkAction)                         ? Qt::LinkAction
                                                                    : Qt::IgnoreAction;
    const QString folder = droppedCatalogFolder(drop->mimeData());
    if (folder.isEmpty() || action == Qt::IgnoreAction) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(action);
    drop->accept();
    // Once the drag is over: opening may ask a question first.
    if (type == QEvent::Drop)
        QTimer::singleShot(0, m_window, [open = m_open, folder] { open(folder); });
    return true;
}
