#pragma once

#include "sismode/sis_mode_monitor.h"
#include "sismode/type_indicators.h"

#include <QWidget>

#include <array>
#include <functional>

class Clock;
class QLabel;

// Shows the broadcast mode and, per message type, whether it arrived in the last 5 minutes.
class TFrmSISMode final : public QWidget, public SisModeDisplay {
    Q_OBJECT
public:
    TFrmSISMode(const Clock &clock, std::function<bool()> connected, QWidget *parent = nullptr);

    // Every third request of "InfoNA" from the monitor is shown while connected.
    void SetMode(const std::string &name, bool supervision, int notify) override;
    void RefreshTypes() override;
    void NoteType(int type, bool received);
    void ClearModeDisplay();
    void ClearTypeTimes();

    // The mode picture on show, or "" when none is.
    QString VisibleMode() const;

private:
    QLabel *Picture(const char *name, const QString &text, const QColor &colour);
    void Colour(int type, bool green);

    const Clock &clock_;
    std::function<bool()> connected_;
    TypeIndicators typeTimes_; // the time each type was last received, and its colour
    int infoNaCount_ = 0;
    QLabel *InfoNA, *Mode0_0, *Mode0_2, *ModeSOL;
    // Per type: its indicator, and the colour shown (-1 none yet, 0 white, 1 green).
    std::array<QLabel *, 64> indicators_{};
    std::array<signed char, 64> shownGreen_{};
};
