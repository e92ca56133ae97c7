#include "ip_edit.h"

#include "num_edit.h"

#include <QKeyEvent>

TIPEdit::TIPEdit(QWidget *parent) : QLineEdit(parent) {}

bool TIPEdit::Validate() const
{
    return IsAddress(text());
}

bool TIPEdit::IsAddress(const QString &text)
{
    if (text.count('.') != 3)
        return false;
    const QStringList parts = text.split('.');
    for (const QString &part : parts) {
        // Only plain digits: a pasted sign or space would otherwise pass as a number.
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (QChar c : part)
            if (c < '0' || c > '9')
                return false;
        if (part.toInt() > 255)
            return false;
    }
    return true;
}

void TIPEdit::KeyPressHandler(QObject *, QChar &key) const
{
    const bool accepted = (key >= '0' && key <= '9') || key == '.' || key == '\b';
    if (!accepted)
        key = QChar();
}

void TIPEdit::keyPressEvent(QKeyEvent *event)
{
    if (FilteredKeyPress(*this, event, [this](QChar &c) { KeyPressHandler(this, c); }))
        QLineEdit::keyPressEvent(event);
}
