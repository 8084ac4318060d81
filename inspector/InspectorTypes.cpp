#include "inspector/InspectorTypes.h"

#include <utility>

uint16_t InspectorOptionWord(TzqDBInspectorOptions Options)
{
    using O = TzqDBInspectorOption;
    namespace w = zqInspectorOption;
    static constexpr std::pair<O, uint16_t> table[] = {
        {O::dioAutoBandCount, w::BandLayout},
        {O::dioAutoWidth, w::AutoWidth},
        {O::dioBandSizing, w::BandSizing},
        {O::dioColumnSizing, w::ColumnSizing},
        {O::dioDrawEndEllipsis, w::DrawEndEllipsis},
        {O::dioDynamicColumnSizing, w::DynamicColumnSizing},
        {O::dioEditing, w::Editing},
        {O::dioEnterThrough, w::EnterThrough},
        {O::dioRowAutoHeight, w::RowAutoHeight},
        {O::dioRowSizing, w::RowSizing},
        {O::dioStoreToRegistry, w::StoreToRegistry},
        {O::dioTabThrough, w::TabThrough},
        {O::dioTabs, w::Tabs},
    };
    uint16_t word = 0;
    for (const auto& [option, bit] : table)
        if (Options.contains(option))
            word |= bit;
    return word;
}
