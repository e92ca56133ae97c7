// Menu and toolbar commands.
#include "mainfrm.h"

#include "auth_dlg.h"
#include "sis_mode_form.h"
#include "text_frm.h"
#include "ui_seam.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// Shows an existing window without a modal loop and brings it forward.
void ShowWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void TMainFrm::BuildMenus()
{
    auto *options = menuBar()->addMenu("&Options");
    optionsMenu_ = options->menuAction();
    optionsMenu_->setObjectName("Options1");
    QAction *auth = options->addAction("Authorisation Data...", this, &TMainFrm::AuthorisationData1Click);
    auth->setObjectName("AuthorisationData1");
    options->addSeparator();
    QAction *closeItem = options->addAction("Close", this, &TMainFrm::Close1Click);
    closeItem->setObjectName("Close1");
    closeItem->setShortcut(QKeySequence("Ctrl+Alt+X"));

    auto *view = menuBar()->addMenu("&View");
    view->addAction("&Received Text...", this, &TMainFrm::ReceivedText1Click)->setObjectName("ReceivedText1");
    sisStatusItem_ = view->addAction("SIS Broadcast Status", this, &TMainFrm::QUILSISBroadcastStatus1Click);
    sisStatusItem_->setObjectName("QUILSISBroadcastStatus1");
    sisStatusItem_->setEnabled(false);
    view->addSeparator();

    toolBar_ = addToolBar("Commands");
    toolBar_->setObjectName("ToolBar");
    toolBar_->setMovable(false);
    auto button = [this](const char *name, const QString &text, const QString &hint, auto handler) {
        auto *b = new QToolButton(toolBar_);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        connect(b, &QToolButton::clicked, this, handler);
        return std::make_pair(b, toolBar_->addWidget(b));
    };
    authorisationButton_ = button("TbAuth", "Auth", "Authorisation data", &TMainFrm::AuthorisationData1Click).second;
    button("TbText", "Text", "Text messages", &TMainFrm::ReceivedText1Click);
    std::tie(TbQUIL, tbQuilAction_) = button("TbQUIL", "SIS", "SIS Status", &TMainFrm::QUILSISBroadcastStatus1Click);
    TbQUIL->setEnabled(false);
    tbQuilAction_->setVisible(false);
}

void TMainFrm::AuthorisationData1Click()
{
    TAuthDlg dialog(ui_, this);
    dialog.Usr->setText(QString::fromStdString(UserName));
    dialog.Psw->setText(QString::fromStdString(Password));
    if (ui_.Exec(dialog) == QDialog::Accepted) {
        UserName = dialog.Usr->text().toStdString();
        Password = dialog.Psw->text().toStdString();
    }
}

TTextFrm &TMainFrm::EnsureTextFrm()
{
    if (!TextFrm)
        TextFrm = new TTextFrm(this);
    return *TextFrm;
}

void TMainFrm::ReceivedText1Click()
{
    ShowWindow(&EnsureTextFrm());
}

void TMainFrm::QUILSISBroadcastStatus1Click()
{
    ShowWindow(FrmSISMode);
}
