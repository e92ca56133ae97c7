#include "message_captions.h"

#include "message_line.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

MessageCaptions::MessageCaptions(QWidget &window, MessageLine &message, QLabel &week, QLabel &time, QLabel &type)
    : QObject(&window), window_(window), message_{&message, message.text()}, week_{&week, week.text()},
      time_{&time, time.text()}, type_{&type, type.text()}
{
    // Made before the window's pacer: its requests reach this filter only once the pacer let
    // them through.
    window.installEventFilter(this);
}

void MessageCaptions::Keep(Caption &caption, const QString &text)
{
    caption.kept = text;
    caption.changed = true; // written even when the same: a reader may have emptied the widget
    pending_ = true;
    if (!window_.isVisible()) {
        Show();
        return;
    }
    if (paintAsked_)
        return;
    paintAsked_ = true;
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

void MessageCaptions::Show()
{
    if (!pending_)
        return;
    pending_ = false;
    for (Caption *c : {&message_, &week_, &time_, &type_}) {
        if (!c->changed)
            continue;
        c->changed = false;
        if (auto *box = qobject_cast<MessageLine *>(c->widget)) {
            box->setText(c->kept); // the same text again changes nothing
        } else if (auto *label = static_cast<QLabel *>(c->widget); label->text() != c->kept) {
            label->setText(c->kept);
        }
    }
}

bool MessageCaptions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::UpdateRequest) {
            paintAsked_ = false;
            if (pending_) {
                Show();
                // Painted by this request: the one the writes asked for would hold the next back.
                QCoreApplication::removePostedEvents(&window_, QEvent::UpdateRequest);
            }
        } else if (event->type() == QEvent::Hide) {
            Show();
        }
    }
    return false;
}
