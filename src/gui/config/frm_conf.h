#pragma once

#include "config/config_store.h"
#include "config/geo_table.h"
#include "config/settings.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class TIPEdit;
class TNumEdit;
class UiSeam;

// The settings dialog: loads userapp.cfg into its pages, validates them and writes them back.
class TFrmConf final : public QDialog {
    Q_OBJECT
public:
    explicit TFrmConf(UiSeam &ui, QWidget *parent = nullptr);

    // Loads the controls from the file; keys after a failure keep the values they held.
    void FormShow();
    // OK: validates, saves the sixteen keys and closes with the OK result.
    void BitBtn1Click();

    void NoSISMarginKeyPress(QObject *sender, QChar &key) const;
    void BufLenKeyPress(QObject *sender, QChar &key) const;

    // The GEO grid's six data rows and header, as the connection reads them.
    GeoTable Table() const;

    TConfigStore Config;

    TIPEdit *IPServer;
    TNumEdit *PortServer;
    TNumEdit *PortClient;
    QRadioButton *MsgReqMethPoll;
    QRadioButton *MsgReqMethSubscr;
    QLineEdit *VelmarGpsDir;
    QLineEdit *ESPDir;
    QLineEdit *BufLen;
    QLineEdit *BufPer;
    QLineEdit *NoSISMargin;
    QTableWidget *GEOtable;
    QTabWidget *PageControl;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls as settings, and settings into the controls.
    Settings Shown() const;
    void Show(const Settings &settings);
    QString CellText(int row, int column) const;

    UiSeam &ui_;
};
