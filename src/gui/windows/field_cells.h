#pragma once

#include "message_window.h"
#include "mops/named_field.h"

#include <QStringList>

// Window labels and cells straight from a message type's field list.

template <typename Record, std::size_t N>
QStringList LabelsOf(const FieldList<Record, N> &list)
{
    QStringList labels;
    for (const NamedField<Record> &f : list)
        labels << f.name;
    return labels;
}

// The field's value as its window shows it.
template <typename Record>
QString ValueText(const Record &r, const NamedField<Record> &f)
{
    return QString::fromStdString(FieldText(r, f));
}

// Each field's text in column 1 of its row.
template <typename Record, std::size_t N>
void ShowInColumnOne(TMessageWindow &window, const Record &r, const FieldList<Record, N> &list)
{
    for (std::size_t row = 0; row < N; ++row)
        window.SetCell(static_cast<int>(row), 1, ValueText(r, list[row]));
}
