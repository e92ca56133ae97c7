#pragma once

#include "codec/pardo.h"
#include "mainfrm.h"
#include "message_window.h"
#include "sbas_encoder.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_cwd.h"

#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

// A main window fed message lines directly, as the session would hand them over.
class WindowTest : public ::testing::Test {
protected:
    TempCwd cwd;
    ScriptedUi ui;
    FakeClock clock;
    TMainFrm frm{ui, clock};
    int tow_ = 100;

    void Feed(SbasFrame f)
    {
        TPARDO p;
        p.Data = f.Hex(tow_) + "000";
        p.Compress();
        frm.HandleMsgLine("*MSG,2443," + std::to_string(tow_++) + "," + p.Data);
    }

    template <typename Window>
    Window &W(const char *name)
    {
        auto *w = frm.findChild<Window *>(name);
        EXPECT_NE(w, nullptr) << name;
        return *w;
    }

    // The window opened, with the page that holds `part` in front, once it has painted what it
    // kept: what the user then sees. A hidden window keeps the values that arrive and writes
    // them only when it is opened.
    static void Painted(TMessageWindow &window, QWidget *part = nullptr)
    {
        window.show();
        for (QWidget *page = part; page && page != &window; page = page->parentWidget()) {
            QWidget *stack = page->parentWidget();
            auto *tabs = qobject_cast<QTabWidget *>(stack ? stack->parentWidget() : nullptr);
            if (tabs && tabs->indexOf(page) >= 0)
                tabs->setCurrentWidget(page);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window.ContentPending(); }, 5000)) << window.objectName().toStdString();
    }
    template <typename Window>
    Window &Painted(const char *name)
    {
        Window &window = W<Window>(name);
        Painted(window);
        return window;
    }

    QString Cell(const char *window, int row, int column, const char *grid = "Table")
    {
        TMessageWindow &w = W<TMessageWindow>(window);
        Painted(w, w.Grid(grid));
        return TMessageWindow::CellText(w.Grid(grid), row, column);
    }

    QStringList Row(const char *window, int row, int columns, const char *grid = "Table")
    {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << Cell(window, row, c, grid);
        return cells;
    }

    static std::set<int> FirstSlots(int n)
    {
        std::set<int> s;
        for (int i = 1; i <= n; ++i)
            s.insert(i);
        return s;
    }
};
