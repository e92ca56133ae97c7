#pragma once

class QPdfWriter;
class QTextDocument;

// A heading that would end a page starts the next one, so that it stays with what it heads.
// The document must have its page size set; the layout keeps each line whole (a picture is one
// line) but knows nothing of headings.
void KeepHeadingsWithWhatFollows(QTextDocument &doc);

// Writes the document in pages of the writer's printable area, each numbered at its foot, with
// every heading kept with what follows it. False when the writer cannot be painted on.
bool PrintPaged(QTextDocument &doc, QPdfWriter &writer);
