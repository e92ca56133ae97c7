#include "paged_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <cmath>

void KeepHeadingsWithWhatFollows(QTextDocument &doc)
{
    const qreal page = doc.pageSize().height();
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    const auto pageOf = [page](qreal y) { return static_cast<int>(std::floor(y / page)); };
    for (QTextBlock heading = doc.begin(); heading.isValid(); heading = heading.next()) {
        if (heading.blockFormat().headingLevel() == 0)
            continue;
        QTextBlock text = heading.next(); // headings in a row go together with the text after them
        while (text.isValid() && text.blockFormat().headingLevel() > 0)
            text = text.next();
        if (!text.isValid())
            continue;
        const QRectF box = layout->blockBoundingRect(text); // lays the text out first
        if (text.layout()->lineCount() == 0)
            continue;
        const int headingPage = pageOf(layout->blockBoundingRect(heading).top());
        const qreal firstLineBottom =
            box.top() - text.layout()->boundingRect().top() + text.layout()->lineAt(0).rect().bottom();
        if (pageOf(firstLineBottom - 0.5) == headingPage)
            continue; // together already
        QTextBlockFormat format = heading.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(heading).setBlockFormat(format);
        // The layout redoes only a little after a change and the rest lazily, from an event loop
        // that is not running here: have it lay out the rest again from the heading on.
        doc.markContentsDirty(heading.position(), doc.characterCount() - heading.position());
    }
}

// The pages are laid out here rather than by QTextDocument::print, which cannot keep a heading
// with its text: the text is laid out at screen resolution in pages of the writer's printable
// area, less a strip at the foot for the page number, and each page is drawn scaled.
bool PrintPaged(QTextDocument &doc, QPdfWriter &writer)
{
    constexpr qreal kLayoutDpi = 96;
    constexpr qreal kFootStrip = 28; // layout pixels at the foot of each page, for its number
    const qreal scale = writer.logicalDpiY() / kLayoutDpi;
    const QSizeF page(writer.width() / scale, writer.height() / scale);
    doc.setDocumentMargin(0);
    QTextFrameFormat frame = doc.rootFrame()->frameFormat();
    frame.setBottomMargin(kFootStrip); // on every page: the layout keeps text out of the strip
    doc.rootFrame()->setFrameFormat(frame);
    doc.setPageSize(page);
    KeepHeadingsWithWhatFollows(doc);
    // The layout runs ahead lazily, from an event loop that is not running here: have it reach
    // the end before the pages are counted and drawn.
    doc.documentLayout()->blockBoundingRect(doc.lastBlock());

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.scale(scale, scale);
    // Sized in layout pixels, as the text is: a size in points would be taken at the writer's
    // resolution and then scaled once more.
    QFont numberFont = doc.defaultFont();
    if (numberFont.pointSizeF() > 0)
        numberFont.setPixelSize(qRound(numberFont.pointSizeF() * kLayoutDpi / 72));
    const int pages = doc.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        // The foot strip is left out: the next page's first line begins right under it.
        doc.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height() - kFootStrip));
        painter.restore();
        painter.setFont(numberFont);
        painter.drawText(QRectF(0, page.height() - kFootStrip, page.width(), kFootStrip),
                         Qt::AlignRight | Qt::AlignBottom, QString::number(i + 1));
    }
    return painter.end();
}
