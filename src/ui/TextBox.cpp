#include "TextBox.h"

#include <QValidator>

#include <limits>

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    // Catalog values have no length limit; QLineEdit cuts at 32767 characters by default.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
}

void TextBox::onTextChanged(const QString &text)
{
    if (text == m_lastText)
        return;
    if (const QValidator *rule = validator()) {
        QString candidate = text;
        int position = 0;
        if (rule->validate(candidate, position) == QValidator::Invalid) {
            // Typing and pasting are undone by QLineEdit itself; this catches setText.
            setText(m_lastText);
            return;
        }
    }
    m_lastText = text;
    emit changed();
}
