#include "auth_dlg.h"

#include "ui_seam.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TAuthDlg::TAuthDlg(UiSeam &ui, QWidget *parent) : QDialog(parent), ui_(ui)
{
    setObjectName("AuthDlg");
    setWindowTitle("Velmar Authorisation Data");
    auto *bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(bevel);
    Usr = new QLineEdit(bevel);
    Usr->setObjectName("Usr");
    Usr->setMaxLength(15);
    Usr->setAccessibleName("User:");
    Psw = new QLineEdit(bevel);
    Psw->setObjectName("Psw");
    Psw->setMaxLength(8);
    Psw->setEchoMode(QLineEdit::Password);
    Psw->setAccessibleName("Password:");
    grid->addWidget(new QLabel("User:", bevel), 0, 0);
    grid->addWidget(Usr, 0, 1);
    grid->addWidget(new QLabel("Password:", bevel), 1, 0);
    grid->addWidget(Psw, 1, 1);

    auto *ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    auto *cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    cancel->setAccessibleName("Cancel");
    connect(ok, &QPushButton::clicked, this, &TAuthDlg::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(bevel);
    layout->addLayout(buttons);
    Usr->setFocus();
}

void TAuthDlg::OKBtnClick()
{
    if (Usr->text().isEmpty() || Psw->text().isEmpty()) {
        ui_.MessageBox(this, "You must fill all the fields");
        return;
    }
    accept();
}
