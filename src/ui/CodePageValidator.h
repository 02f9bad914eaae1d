#pragma once

#include <QValidator>

// Refuses, whole, any text holding a character the catalog's code page (Windows-1250) cannot
// hold, so what a value box shows is always what the file will get.
class CodePageValidator : public QValidator
{
    Q_OBJECT

public:
    explicit CodePageValidator(QObject *parent = nullptr);

    State validate(QString &text, int &position) const override;
};
