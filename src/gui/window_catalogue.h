#pragma once

#include "worker.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QWidget;
class TFrmOverview;
class TFrmPRNs;
class TMessageWindow;
class UiSeam;
struct IGPBuffer;
struct PRNMaskBuffer;
struct ServiceMsgBuffer;

// What the message windows and their workers are made from.
struct WindowParts {
    PRNMaskBuffer &mask;
    IGPBuffer &grid;
    ServiceMsgBuffer &service;
    UiSeam &ui;
    QWidget *owner;
    // The GEO PRN and name of the server port, for the type 9 window.
    std::function<std::optional<std::pair<QString, QString>>()> geoOfPort;
    // Filled as the windows are made: the corrections read the type 1 window's copy of the mask,
    // and the intake hands type 1 messages and the overview's notes to these two.
    TFrmPRNs *prns = nullptr;
    TFrmOverview *overview = nullptr;
    // The message log's file name, for the signal events written beside it.
    std::function<std::string()> messageLogPath = {};
};

// One message window: how it is made, the worker that fills it, its View item and its toolbar
// button (the View item's object name is the button's with "Mnu" for "Tb").
struct MessageWindowKind {
    const char *item;
    const char *button;
    const char *hint; // the button's hint and accessible name
    const char *glyph;
    TMessageWindow *(*makeWindow)(WindowParts &);
    std::unique_ptr<TWorker> (*makeWorker)(WindowParts &, TMessageWindow &); // null: no worker
    int firstType = -1, lastType = -1; // the message types the worker is handed
    bool workerRenewed = false;        // made anew, with the decoded state, at every reset
};

// The rows in the order the windows are made and reset, and of the View menu and the toolbar.
struct MessageWindowKinds {
    const MessageWindowKind *rows;
    std::size_t count;
    const MessageWindowKind *begin() const { return rows; }
    const MessageWindowKind *end() const { return rows + count; }
    const MessageWindowKind &operator[](std::size_t i) const { return rows[i]; }
};
MessageWindowKinds MessageWindowTable();
