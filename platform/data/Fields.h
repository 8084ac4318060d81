// The ordered list of a dataset's field objects. Names are matched without regard
// to case (ASCII letters).
#pragma once

#include "platform/data/Field.h"

#include <memory>
#include <string_view>
#include <vector>

class TFields {
public:
    int Count() const { return int(m_list.size()); }
    // Throws EDatabaseError for an index out of range.
    TField* Fields(int index) const;
    TField* operator[](int index) const { return Fields(index); }
    // None when absent.
    TField* FindField(std::string_view name) const;
    // Raises "Field 'X' not found." when absent.
    TField* FieldByName(std::string_view name) const;
    int IndexOf(const TField* field) const;

    class iterator {
    public:
        using Inner = std::vector<std::unique_ptr<TField>>::const_iterator;
        explicit iterator(Inner it) : m_it(it) {}
        TField* operator*() const { return m_it->get(); }
        iterator& operator++() { ++m_it; return *this; }
        bool operator!=(const iterator& o) const { return m_it != o.m_it; }
        bool operator==(const iterator& o) const { return m_it == o.m_it; }
    private:
        Inner m_it;
    };
    iterator begin() const { return iterator(m_list.begin()); }
    iterator end() const { return iterator(m_list.end()); }

private:
    friend class TDataSet;
    friend class TField;
    std::vector<std::unique_ptr<TField>> m_list;
};

// Case-insensitive comparison of ASCII names, as field and table names are matched.
bool SameName(std::string_view a, std::string_view b);
