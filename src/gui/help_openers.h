#pragma once

#include <QString>

class QWidget;
class UiSeam;

// The Help menu's openers. Each says so in a message box, parented to `window`, when the
// document is not found or when no program took the document or web page.

// A Help document: the one in the current directory, else the installed copy.
void OpenHelpDocument(UiSeam &ui, QWidget *window, const QString &name);
void OpenWebPage(UiSeam &ui, QWidget *window, const QString &address);
