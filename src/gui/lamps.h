#pragma once

#include <string>
#include <utility>
#include <vector>

class QColor;
class QLabel;
class QString;
class QWidget;

// The main window's lamps. A lamp is an "off" picture named after it with an "on" picture of
// the lamp's name followed by "On" over it, hidden while the lamp is off.
class Lamps final {
public:
    // A new lamp with its caption beside it, for the caller to lay out.
    QWidget *Add(const QString &name, const QString &caption, const QColor &onColour);
    void Show(const char *lamp);
    void Hide(const char *lamp);
    void Toggle(const char *lamp);

private:
    QLabel *On(const char *lamp) const;

    std::vector<std::pair<std::string, QLabel *>> lamps_; // each lamp's name and its "on" picture
};
