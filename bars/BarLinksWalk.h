// A walk through link collections that reach each other through submenus, drop-down
// menus and the links that opened them. Such collections can form cycles (a popup menu
// that links a button dropping down that same popup menu), so every walk remembers what
// it has entered and enters each collection, or each link, once.
#pragma once

#include <unordered_set>

class TzqBarItemLink;
class TzqBarItemLinks;

class TzqBarLinksWalk {
public:
    // True the first time a collection (or link) is entered, false on every later visit
    // and for null.
    bool Enter(const TzqBarItemLinks* Links) { return Links && m_visited.insert(Links).second; }
    bool Enter(const TzqBarItemLink* Link) { return Link && m_visited.insert(Link).second; }

private:
    std::unordered_set<const void*> m_visited;
};
