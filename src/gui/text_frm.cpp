#include "text_frm.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TTextFrm::TTextFrm(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName("TextFrm");
    setWindowTitle("Messages received from VELMAR");
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setReadOnly(true);
    Memo->setAccessibleName("Messages received from VELMAR");
    // Free text from the server: keep the memory it may take bounded.
    Memo->setMaximumBlockCount(10000);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo);
    resize(420, 240);
}

void TTextFrm::AddLine(const QString &line)
{
    Memo->appendPlainText(line);
}

QString TTextFrm::Text() const
{
    return Memo->toPlainText();
}
