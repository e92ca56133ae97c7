#pragma once

#include <QLineEdit>

// A single-line edit for a dotted decimal IPv4 address.
class TIPEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit TIPEdit(QWidget *parent = nullptr);

    // Four numbers of at most 255, separated by three dots.
    bool Validate() const;
    static bool IsAddress(const QString &text);
    // Key filter: only digits, "." and backspace; a refused character becomes the null character.
    void KeyPressHandler(QObject *sender, QChar &key) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
