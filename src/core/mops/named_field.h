#pragma once

#include "mops/field.h"
#include "text/number_text.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>

// Where a decoded value goes in its record. The member's type says how the value is read and
// shown: a whole number is the raw value times a whole unit and shows as an integer; float and
// double members hold the scaled value and show as the shortest text that reads back the same.
template <typename Record>
using MemberOf = std::variant<int32_t Record::*, float Record::*, double Record::*>;

// One field of a message type as the decoder, its window and the encoder all see it: the
// window's label, the bits and units, and the record member the value goes to.
template <typename Record>
struct NamedField {
    const char *name;
    Field field;
    MemberOf<Record> member;
};

template <typename Record, std::size_t N>
using FieldList = std::array<NamedField<Record>, N>;

// The entry of the list that fills the member: a window that shows some fields in an order of
// its own picks them by member and still takes their labels from the list.
template <typename Record, std::size_t N, typename T>
const NamedField<Record> &FieldFor(const FieldList<Record, N> &list, T Record::*member)
{
    for (const NamedField<Record> &f : list)
        if (const auto *m = std::get_if<T Record::*>(&f.member); m && *m == member)
            return f;
    throw std::out_of_range(std::string("no field of the list fills that member; first is ") + list[0].name);
}

// Reads one field into its member; offset moves the field (the second satellite of a message).
template <typename Record>
void DecodeField(const TMOPSMsg &m, const NamedField<Record> &f, Record &r, int offset = 0)
{
    const Field &b = f.field;
    const auto bits = static_cast<uint32_t>(m.BitField(b.start + offset, b.width));
    const int64_t raw = b.isSigned ? TwosComplement(bits, b.width) : static_cast<int64_t>(bits);
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(r.*member)>;
            if constexpr (std::is_same_v<T, int32_t>)
                r.*member = static_cast<int32_t>(raw * static_cast<int64_t>(b.lsb));
            else
                r.*member = static_cast<T>(Scaled(raw, b.lsb, b.decimal));
        },
        f.member);
}

template <typename Record, std::size_t N>
void DecodeFields(const TMOPSMsg &m, const FieldList<Record, N> &list, Record &r, int offset = 0)
{
    for (const NamedField<Record> &f : list)
        DecodeField(m, f, r, offset);
}

// DecodeFields for a list known when compiling: each entry's member kind is picked then, so the
// reads unroll into plain bit reads with nothing chosen at run time. For the decoders' hot paths.
template <const auto &List, std::size_t I, typename Record>
void DecodeListedField(const TMOPSMsg &m, Record &r, int offset)
{
    constexpr const NamedField<Record> &f = List[I];
    constexpr auto member = std::get<f.member.index()>(f.member);
    constexpr Field b = f.field;
    const auto bits = static_cast<uint32_t>(m.BitField(b.start + offset, b.width));
    const int64_t raw = b.isSigned ? TwosComplement(bits, b.width) : static_cast<int64_t>(bits);
    using T = std::remove_reference_t<decltype(r.*member)>;
    if constexpr (std::is_same_v<T, int32_t>)
        r.*member = static_cast<int32_t>(raw * static_cast<int64_t>(b.lsb));
    else
        r.*member = static_cast<T>(Scaled(raw, b.lsb, b.decimal));
}

template <const auto &List, typename Record, std::size_t... I>
void DecodeListed(const TMOPSMsg &m, Record &r, int offset, std::index_sequence<I...>)
{
    (DecodeListedField<List, I>(m, r, offset), ...);
}

template <const auto &List, typename Record>
void DecodeListed(const TMOPSMsg &m, Record &r, int offset = 0)
{
    DecodeListed<List>(m, r, offset, std::make_index_sequence<std::tuple_size_v<std::decay_t<decltype(List)>>>{});
}

// The member's value in the field's units, for the encoder. Where the record is a local of the
// caller that gcc can see into, it takes the read through a member pointer whose alternative it
// cannot pin down for a read of something left unset, and warns; every member read is set.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
template <typename Record>
double FieldValue(const Record &r, const NamedField<Record> &f)
{
    if (const auto *m = std::get_if<int32_t Record::*>(&f.member))
        return r.**m;
    if (const auto *m = std::get_if<float Record::*>(&f.member))
        return r.**m;
    return r.*std::get<double Record::*>(f.member);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// The member's value as its window shows it.
template <typename Record>
std::string FieldText(const Record &r, const NamedField<Record> &f)
{
    return std::visit(
        [&](auto member) {
            const auto v = r.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, int32_t>)
                return std::to_string(v);
            else
                return FloatText(v);
        },
        f.member);
}
