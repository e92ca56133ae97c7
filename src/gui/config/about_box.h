#pragma once

#include <QDialog>

// Product name, version and credits; created for each opening and released after it.
class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
};
