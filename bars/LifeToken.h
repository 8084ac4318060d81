// A token that tells code which fired an event whether the object survived it: the
// object owns one and marks it dead when destroyed; a copy taken before the event is
// looked at afterwards, so that a handler may free the object that called it.
#pragma once

#include <memory>

class TzqLifeToken {
public:
    TzqLifeToken() = default;
    TzqLifeToken(const TzqLifeToken&) = delete;
    TzqLifeToken& operator=(const TzqLifeToken&) = delete;
    ~TzqLifeToken() { *m_alive = false; }

    // Reads true while the owner lives.
    std::shared_ptr<const bool> Watch() const { return m_alive; }

private:
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
