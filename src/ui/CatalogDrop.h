#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

// The folder to open for a drag that carries one local Trake.odl, or one folder that holds a
// Trake.odl; empty for anything else.
QString droppedCatalogFolder(const QMimeData *mime);

// Takes a catalog dragged anywhere over `window`, its value boxes included, and hands its folder
// to `open` once it is dropped. Other files dragged over the window are refused, so that a
// file's path never lands in a value; text is dropped into a box as ever.
class CatalogDrop : public QObject
{
public:
    CatalogDrop(QWidget *window, std::function<void(const QString &folder)> open);
    ~CatalogDrop() override;
    CatalogDrop(const CatalogDrop &) = delete;
    CatalogDrop &operator=(const CatalogDrop &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<void(const QString &folder)> m_open;
};
