// Values read from a table into a node's attributes, and order values of new nodes.
//
// A table may hold anything in an integer column: floats, text, numbers wider than the
// node's fields. Reading never raises: a value that is no number counts as null (the
// attribute's default), and a number wider than its attribute is limited rather than
// wrapped around, so that it can never turn into another valid value (a width of
// 65,537 is not a width of 1, a shape of 259 is not a diamond).
#pragma once

#include "platform/core/Color.h"
#include "platform/data/Variant.h"

#include <cstdint>
#include <optional>
#include <string>

class TField;

// The value as a whole number (floats rounded, numeric text parsed, huge values
// limited to 64 bits); none for null, unassigned, NaN or text that is no number.
std::optional<int64_t> OcIntegerOf(const Variant& Value);
// The field's value of the current record as a whole number; none when it has none.
std::optional<int64_t> OcReadInteger(const TField* Field);
// The field's value as text; empty when it cannot be read.
std::string OcReadString(const TField* Field);

// Width or height: 0..65,535; a negative size counts as a non-zero size below the
// minimum (stored as 1, which the node raises to its minimum).
uint16_t OcSizeFrom(int64_t Value);
// A 32-bit colour: an integer field holds system colours as negative numbers; a value
// that fits in neither 32-bit reading is no colour of the node's own.
TColor OcColorFrom(int64_t Value);
// Shape, alignment, image alignment: 0..255 as they are; anything else becomes 255,
// which is outside every one of these enumerations (no box, no image).
uint8_t OcEnumFrom(int64_t Value);
// Image index: the 16-bit range as it is; anything else is no image (-1).
int16_t OcImageIndexFrom(int64_t Value);

// The order value that follows Previous (Previous + 1, kept in its kind); none when
// Previous is no number.
std::optional<Variant> OcNextOrderValue(const Variant& Previous);
