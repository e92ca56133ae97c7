#pragma once

#include <QDialog>

class QLineEdit;
class UiSeam;

// Takes the user name and password sent to the data server; held in memory only.
class TAuthDlg final : public QDialog {
    Q_OBJECT
public:
    TAuthDlg(UiSeam &ui, QWidget *parent = nullptr);

    QLineEdit *Usr;
    QLineEdit *Psw;

    // Closes with OK only when both fields hold text.
    void OKBtnClick();

private:
    UiSeam &ui_;
};
