#pragma once

#include <QLabel>
#include <QString>

// A one-line label for a text that may be longer than the label, such as a folder's path: it
// shows the start and the end with an ellipsis between, and the whole text as its tooltip.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    QString fullText() const { return m_fullText; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    QString m_fullText;
};
