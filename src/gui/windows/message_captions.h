#pragma once

#include <QObject>
#include <QString>

class QLabel;
class MessageLine;
class QWidget;

// The main window's message box and its week, time and type captions. Each message's texts are
// kept and written into the widgets just before the main window paints, so a flood of messages
// lays them out at the pacer's rate, not once per message. A main window that is not shown (before
// it is first shown: tests, tools) has them written at once, since nothing would paint them.
class MessageCaptions final : public QObject {
public:
    MessageCaptions(QWidget &window, MessageLine &message, QLabel &week, QLabel &time, QLabel &type);

    void SetMessage(const QString &text) { Keep(message_, text); }
    void SetWeek(const QString &text) { Keep(week_, text); }
    void SetTime(const QString &text) { Keep(time_, text); }
    void SetType(const QString &text) { Keep(type_, text); }
    // The latest time caption, whether painted yet or not.
    const QString &TimeText() const { return time_.kept; }

    // Writes the kept texts into the widgets.
    void Show();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Caption {
        QWidget *widget;
        QString kept;
        bool changed = false;
    };
    void Keep(Caption &caption, const QString &text);

    QWidget &window_;
    Caption message_, week_, time_, type_;
    bool pending_ = false;
    bool paintAsked_ = false; // an update request of ours is on its way
};
