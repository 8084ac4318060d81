// A list of callbacks run when an object is destroyed, so that objects holding a
// reference they do not own (a row bound to a field, a control joined to a data
// source) can forget it in time.
#pragma once

#include <functional>
#include <utility>
#include <vector>

template <typename T>
class TFreeNotifier {
public:
    using Callback = std::function<void(T*)>;

    // Answers a handle for RemoveFreeNotification.
    int Add(Callback callback)
    {
        m_entries.push_back({++m_lastId, std::move(callback)});
        return m_lastId;
    }
    void Remove(int handle)
    {
        std::erase_if(m_entries, [handle](const Entry& e) { return e.id == handle; });
    }
    // Runs every callback once; callbacks may remove themselves or others meanwhile.
    void Notify(T* object)
    {
        std::vector<Entry> entries = std::move(m_entries);
        m_entries.clear();
        for (Entry& e : entries)
            if (e.callback)
                e.callback(object);
    }

private:
    struct Entry {
        int id;
        Callback callback;
    };
    std::vector<Entry> m_entries;
    int m_lastId = 0;
};
