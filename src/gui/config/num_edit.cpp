#include "num_edit.h"

#include <QKeyEvent>

#include <cmath>
#include <functional>

bool FilteredKeyPress(QLineEdit &, QKeyEvent *event, const std::function<void(QChar &)> &filter)
{
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return true;
    for (QChar c : text) {
        filter(c);
        if (c.isNull())
            return false;
    }
    return true;
}

TNumEdit::TNumEdit(QWidget *parent) : QLineEdit(parent) {}

bool TNumEdit::Validate() const
{
    bool ok = false;
    const double value = text().toDouble(&ok);
    // "inf" and "nan" convert, but no setting of this program is one of them.
    if (!ok || !std::isfinite(value))
        return false;
    switch (ValidMode) {
    case vmAny: return true;
    case vmGTZero: return value > 0;
    case vmGTEZero: return value >= 0;
    case vmLTZero: return value < 0;
    case vmLTEZero: return value <= 0;
    }
    return false;
}

void TNumEdit::HdlKeyPress(QObject *, QChar &key) const
{
    const bool accepted = (key >= QChar(0x30) && key <= QChar(0x39)) || key == '\b' || key == '-' || (NumType == ntReal && key == '.');
    if (!accepted)
        key = QChar();
}

void TNumEdit::keyPressEvent(QKeyEvent *event)
{
    if (FilteredKeyPress(*this, event, [this](QChar &c) { HdlKeyPress(this, c); }))
        QLineEdit::keyPressEvent(event);
}
