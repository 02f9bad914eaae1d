#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

// The find field and its note, hidden until opened. Typing asks for a search from the record
// on screen (searchEdited), Enter or F3 for the next match (nextRequested); Escape closes the
// field, and only the field, and gives the focus back (closed).
class FindBar : public QWidget
{
    Q_OBJECT

public:
    explicit FindBar(QWidget *parent = nullptr);

    // Shows the field with the focus and its text selected, so typing replaces it.
    void open();
    void dismiss();

    QString text() const;
    // A short line under the field: no match, or that the search went past the last record.
    void setNote(const QString &note);
    QString note() const;

signals:
    void searchEdited(const QString &text);
    void nextRequested();
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    QLabel *m_note;
};
