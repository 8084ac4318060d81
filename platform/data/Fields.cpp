#include "platform/data/Fields.h"

#include "platform/data/DatabaseError.h"

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return false;
    }
    return true;
}

TField* TFields::Fields(int index) const
{
    if (index < 0 || index >= Count())
        throw EDatabaseError("List index out of bounds (" + std::to_string(index) + ").");
    return m_list[size_t(index)].get();
}

TField* TFields::FindField(std::string_view name) const
{
    for (const auto& f : m_list)
        if (SameName(f->FieldName(), name))
            return f.get();
    return nullptr;
}

TField* TFields::FieldByName(std::string_view name) const
{
    if (TField* f = FindField(name))
        return f;
    throw EDatabaseError("Field '" + std::string(name) + "' not found.");
}

int TFields::IndexOf(const TField* field) const
{
    for (size_t i = 0; i < m_list.size(); ++i)
        if (m_list[i].get() == field)
            return int(i);
    return -1;
}
