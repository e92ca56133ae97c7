// Menu and toolbar commands.
#include "mainfrm.h"

#include "about_box.h"
#include "auth_dlg.h"
#include "frm_conf.h"
#include "help_openers.h"
#include "install_paths.h"
#include "message_window.h"
#include "sis_mode_form.h"
#include "text_frm.h"
#include "ui_seam.h"
#include "window_catalogue.h"

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
    BuildSettingsCommand(options);
    QAction *auth = options->addAction("Authorisation Data...", this, &TMainFrm::AuthorisationData1Click);
    auth->setObjectName("AuthorisationData1");
    options->addSeparator();
    QAction *closeItem = options->addAction("Close", this, &TMainFrm::Close1Click);
    closeItem->setObjectName("Close1");
    closeItem->setShortcut(QKeySequence("Ctrl+Alt+X"));

    auto *view = viewMenu_ = menuBar()->addMenu("&View");
    view->addAction("&Received Text...", this, &TMainFrm::ReceivedText1Click)->setObjectName("ReceivedText1");
    sisStatusItem_ = view->addAction("SIS Broadcast Status", this, &TMainFrm::QUILSISBroadcastStatus1Click);
    sisStatusItem_->setObjectName("QUILSISBroadcastStatus1");
    sisStatusItem_->setEnabled(false);
    view->addSeparator();
    BuildHelpMenu();

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
    QAction *settingsButton = button("TbSettings", "Set", "Settings", &TMainFrm::MnuSettingsClick).second;
    // The Settings button follows the Options menu, which the session enables and disables.
    connect(optionsMenu_, &QAction::enabledChanged, settingsButton, &QAction::setEnabled);
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

void TMainFrm::AddWindowCommand(QMenu *view, const char *item, const char *button, const QString &hint,
                                const QString &glyph, QWidget *window)
{
    const QString caption = QString::fromUtf8(item);
    QAction *action = view->addAction(caption, this, [window] { ShowWindow(window); });
    action->setObjectName(QString(button).replace("Tb", "Mnu"));
    auto *b = new QToolButton(toolBar_);
    b->setObjectName(button);
    b->setText(glyph);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    connect(b, &QToolButton::clicked, this, [window] { ShowWindow(window); });
    toolBar_->addWidget(b);
}

void TMainFrm::BuildViewCommands()
{
    const MessageWindowKinds kinds = MessageWindowTable();
    for (std::size_t row = 0; row < kinds.count; ++row)
        AddWindowCommand(viewMenu_, kinds[row].item, kinds[row].button, kinds[row].hint, kinds[row].glyph,
                         messageWindows_[row]);
}

void TMainFrm::BuildSettingsCommand(QMenu *options)
{
    QAction *settings = options->addAction("VELMAR User Application Settings...", this, &TMainFrm::MnuSettingsClick);
    settings->setObjectName("MnuSettings");
    settings->setShortcut(QKeySequence(Qt::Key_F5));
}

void TMainFrm::BuildHelpMenu()
{
    QMenu *help = menuBar()->addMenu("Help");
    help->menuAction()->setObjectName("Help1");
    help->addAction("UAS User Manual", this, &TMainFrm::UASUserManual1Click)->setObjectName("UASUserManual1");
    help->addAction("UAS Disclaimer", this, &TMainFrm::VelmarUASDisclaimer1Click)->setObjectName("VelmarUASDisclaimer1");
    help->addAction("Velmar online", this, &TMainFrm::Velmaronline1Click)->setObjectName("Velmaronline1");
    help->addAction("Know more on ORVAN ...", this, &TMainFrm::KnowmoreonORVAN1Click)->setObjectName("KnowmoreonORVAN1");
    help->addAction("About Velmar UAS", this, &TMainFrm::AboutVelmarUAS1Click)->setObjectName("AboutVelmarUAS1");
    // The menu bar reads Options, View, Logging, Help, whichever was built first.
    if (QAction *logging = findChild<QAction *>("Logging")) {
        menuBar()->removeAction(logging);
        menuBar()->insertAction(help->menuAction(), logging);
    }
}

void TMainFrm::MnuSettingsClick()
{
    // Only the latest dialog is kept: the earlier one has nothing left to offer.
    delete FrmConf;
    FrmConf = new TFrmConf(ui_, this);
    FrmConf->FormShow();
    if (ui_.Exec(*FrmConf) != QDialog::Accepted)
        return;
    geoTable_ = FrmConf->Table();
    ApplyConfigurationOrWarn(false);
}

void TMainFrm::UASUserManual1Click()
{
    OpenHelpDocument(ui_, this, kUserManualFile);
}

void TMainFrm::VelmarUASDisclaimer1Click()
{
    OpenHelpDocument(ui_, this, kDisclaimerFile);
}

void TMainFrm::Velmaronline1Click()
{
    OpenWebPage(ui_, this, "https://velmar.example.org/");
}

void TMainFrm::KnowmoreonORVAN1Click()
{
    OpenWebPage(ui_, this, "https://orvan.example.org/");
}

void TMainFrm::AboutVelmarUAS1Click()
{
    TAboutBox box(this);
    ui_.Exec(box);
}
