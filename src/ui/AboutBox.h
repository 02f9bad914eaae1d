#pragma once

#include <QMessageBox>

// What F1 shows: the program's name and version, the window's keys (the list --help shows) and
// the licence, its whole text behind the details button. Close, Enter and Escape close it.
class AboutBox : public QMessageBox
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);
};
