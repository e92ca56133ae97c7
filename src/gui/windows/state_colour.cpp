#include "state_colour.h"

#include <QPalette>
#include <QWidget>

void ShowStateColour(QWidget &cell, const std::optional<QColor> &stateColour)
{
    if (!stateColour) {
        cell.setPalette(QPalette()); // no colour of its own: follows the application's palette
        cell.setBackgroundRole(QPalette::Base);
        cell.setForegroundRole(QPalette::Text);
        return;
    }
    QPalette p = cell.palette();
    p.setColor(QPalette::Window, *stateColour);
    p.setColor(QPalette::WindowText, Qt::black);
    cell.setPalette(p);
    cell.setBackgroundRole(QPalette::Window);
    cell.setForegroundRole(QPalette::WindowText);
}

QColor ShownBackground(const QWidget &cell)
{
    return cell.palette().color(cell.backgroundRole());
}
