#include "ui/FindBar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FindBar::FindBar(QWidget *parent)
    : QWidget(parent), m_field(new QLineEdit(this)), m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("findBar"));
    m_field->setObjectName(QStringLiteral("txtFind"));
    m_field->setPlaceholderText(tr("Find a strip"));
    m_field->setAccessibleName(tr("Find a strip by name, description, unit or price"));
    m_field->installEventFilter(this);
    m_note->setObjectName(QStringLiteral("lblFindNote"));
    m_note->setTextFormat(Qt::PlainText);
    m_note->setWordWrap(true);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_field);
    layout->addWidget(m_note, 1);

    connect(m_field, &QLineEdit::textEdited, this, &FindBar::searchEdited);
    hide();
}

void FindBar::open()
{
    // Only now: its icon is looked up in the desktop's icon theme, which takes a start long.
    m_field->setClearButtonEnabled(true);
    show();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void FindBar::dismiss()
{
    hide();
    m_note->clear();
    emit closed();
}

QString FindBar::text() const
{
    return m_field->text();
}

void FindBar::setNote(const QString &note)
{
    m_note->setText(note);
}

QString FindBar::note() const
{
    return m_note->text();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field)
        return QWidget::eventFilter(watched, event);
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!key)
        return false;
    auto *press = static_cast<QKeyEvent *>(event);
    const bool ours = press->key() == Qt::Key_Escape || press->key() == Qt::Key_Return
        || press->key() == Qt::Key_Enter || press->key() == Qt::Key_F3;
    if (!ours || (press->modifiers() & ~Qt::KeypadModifier))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // The window's Escape and F3 would take the key first; in the field they are the
        // field's.
        event->accept();
        return false;
    }
    if (press->key() == Qt::Key_Escape)
        dismiss();
    else
        emit nextRequested();
    return true;
}
