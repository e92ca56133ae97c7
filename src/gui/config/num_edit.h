#pragma once

#include <QLineEdit>

#include <functional>

// A single-line edit for numbers: drops typed characters that cannot belong to one and
// tells whether its text is a number of the wanted sign.
class TNumEdit final : public QLineEdit {
    Q_OBJECT
public:
    enum TNumType { ntInteger, ntReal };
    enum TValidMode { vmAny, vmGTZero, vmGTEZero, vmLTZero, vmLTEZero };

    explicit TNumEdit(QWidget *parent = nullptr);

    TNumType NumType = ntInteger;
    TValidMode ValidMode = vmAny;

    bool Validate() const;
    // Key filter: a refused character is replaced by the null character.
    void HdlKeyPress(QObject *sender, QChar &key) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// Drops every typed character for which the filter answers the null character; keys
// without text (arrows, backspace, delete) always pass.
bool FilteredKeyPress(QLineEdit &edit, QKeyEvent *event, const std::function<void(QChar &)> &filter);
