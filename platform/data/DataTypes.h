// Enumerations of the dataset layer: field data types (in their fixed ordinal
// order, which other components index tables by), field kinds, dataset states,
// the events a dataset sends to its data sources, and the locate and filter options.
#pragma once

#include "platform/core/Set.h"

#include <cstdint>

enum class TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
};

// The name used in messages ("Integer", "String", "AutoInc", ...).
const char* FieldTypeName(TFieldType type);

enum class TFieldKind { fkData, fkCalculated, fkLookup };

enum class TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields, // only while OnCalcFields runs
};

// Notifications from a dataset to its data sources and their data links.
enum class TDataEvent {
    deFieldChange,     // a field of the current record changed (Info: the field)
    deRecordChange,    // the whole current record changed
    deDataSetChange,   // records changed: post, cancel, delete, insert, refresh, filter
    deDataSetScroll,   // the cursor moved (Info: the signed distance)
    deLayoutChange,    // the field list or a field's appearance changed
    deUpdateRecord,    // controls: write pending values into the fields (before a post)
    deUpdateState,     // the dataset's state changed (active, editing)
    deCheckBrowseMode, // the dataset is about to leave edit state or move
    deFocusControl,    // focus the control showing a field (Info: pointer to TField*)
};

enum class TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption, uint8_t>;

enum class TFilterOption { foCaseInsensitive, foNoPartialCompare };
using TFilterOptions = TSet<TFilterOption, uint8_t>;

constexpr bool IsEditState(TDataSetState s)
{
    return s == TDataSetState::dsEdit || s == TDataSetState::dsInsert || s == TDataSetState::dsSetKey;
}
