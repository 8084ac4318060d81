#include "platform/controls/EditBuffer.h"

#include "platform/core/Utf8.h"

#include <algorithm>

std::string TEditBuffer::TextUtf8() const
{
    return Utf32ToUtf8(m_text);
}

void TEditBuffer::SetText(const std::u32string& text)
{
    // Text set by the program is taken whole; the limit governs what the user types.
    m_text = text;
    m_anchor = m_caret = 0;
    m_lastWasTyping = false;
}

void TEditBuffer::Select(size_t anchor, size_t caret)
{
    m_anchor = std::min(anchor, m_text.size());
    m_caret = std::min(caret, m_text.size());
    m_lastWasTyping = false;
}

void TEditBuffer::MoveCaret(size_t pos, bool extend)
{
    m_caret = std::min(pos, m_text.size());
    if (!extend)
        m_anchor = m_caret;
    m_lastWasTyping = false;
}

void TEditBuffer::PushUndo(bool typing)
{
    if (typing && m_lastWasTyping && !m_undo.empty()) {
        m_redo.clear();
        return; // the run of typing is one step
    }
    m_undo.push_back({m_text, m_anchor, m_caret});
    if (m_undo.size() > 200)
        m_undo.erase(m_undo.begin());
    m_redo.clear();
}

bool TEditBuffer::ReplaceSelection(const std::u32string& input, bool typing)
{
    std::u32string text = input;
    for (char32_t& c : text) {
        if (m_charCase == TEditCharCase::ecUpperCase)
            c = ToUpperChar(c);
        else if (m_charCase == TEditCharCase::ecLowerCase)
            c = ToLowerChar(c);
    }
    const size_t start = SelStart();
    const size_t end = SelEnd();
    if (m_maxLength) {
        const size_t remaining = m_text.size() - (end - start);
        const size_t room = m_maxLength > remaining ? m_maxLength - remaining : 0;
        if (text.size() > room)
            text.resize(room);
    }
    if (text.empty() && start == end)
        return false;
    PushUndo(typing && start == end);
    m_text.replace(start, end - start, text);
    m_anchor = m_caret = start + text.size();
    m_modified = true;
    m_lastWasTyping = typing;
    return true;
}

bool TEditBuffer::DeleteBackward(bool word)
{
    if (!HasSelection()) {
        if (m_caret == 0)
            return false;
        m_anchor = word ? PreviousWordStart(m_caret) : m_caret - 1;
        // A CR LF pair goes as one.
        if (!word && m_anchor > 0 && m_text[m_anchor] == U'\n' && m_text[m_anchor - 1] == U'\r')
            --m_anchor;
    }
    m_lastWasTyping = false;
    return ReplaceSelection(U"");
}

bool TEditBuffer::DeleteForward(bool word)
{
    if (!HasSelection()) {
        if (m_caret >= m_text.size())
            return false;
        m_anchor = word ? NextWordStart(m_caret) : m_caret + 1;
        if (!word && m_text[m_caret] == U'\r' && m_anchor < m_text.size() && m_text[m_anchor] == U'\n')
            ++m_anchor;
    }
    m_lastWasTyping = false;
    return ReplaceSelection(U"");
}

bool TEditBuffer::Undo()
{
    if (m_undo.empty())
        return false;
    m_redo.push_back({m_text, m_anchor, m_caret});
    const Snapshot s = m_undo.back();
    m_undo.pop_back();
    m_text = s.text;
    m_anchor = s.anchor;
    m_caret = s.caret;
    m_modified = true;
    m_lastWasTyping = false;
    return true;
}

bool TEditBuffer::Redo()
{
    if (m_redo.empty())
        return false;
    m_undo.push_back({m_text, m_anchor, m_caret});
    const Snapshot s = m_redo.back();
    m_redo.pop_back();
    m_text = s.text;
    // Redo leaves the caret after the redone change.
    m_anchor = m_caret = std::min(std::max(s.anchor, s.caret), m_text.size());
    m_modified = true;
    m_lastWasTyping = false;
    return true;
}

void TEditBuffer::ClearUndo()
{
    m_undo.clear();
    m_redo.clear();
    m_lastWasTyping = false;
}

bool TEditBuffer::IsWordChar(char32_t c)
{
    if (c == U' ' || c == U'\t' || c == U'\r' || c == U'\n')
        return false;
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '\'';
    return true; // letters of other scripts
}

// Characters fall into three classes: spaces and line breaks, letters and digits, and
// punctuation; a word is a run of one class other than spaces.
static int CharClass(char32_t c)
{
    if (c == U' ' || c == U'\t' || c == U'\r' || c == U'\n')
        return 0;
    return TEditBuffer::IsWordChar(c) ? 1 : 2;
}

size_t TEditBuffer::PreviousWordStart(size_t pos) const
{
    pos = std::min(pos, m_text.size());
    while (pos > 0 && CharClass(m_text[pos - 1]) == 0)
        --pos;
    if (pos == 0)
        return 0;
    const int cls = CharClass(m_text[pos - 1]);
    while (pos > 0 && CharClass(m_text[pos - 1]) == cls)
        --pos;
    return pos;
}

size_t TEditBuffer::NextWordStart(size_t pos) const
{
    const size_t n = m_text.size();
    if (pos < n && CharClass(m_text[pos]) != 0) {
        const int cls = CharClass(m_text[pos]);
        while (pos < n && CharClass(m_text[pos]) == cls)
            ++pos;
    }
    while (pos < n && CharClass(m_text[pos]) == 0)
        ++pos;
    return pos;
}

void TEditBuffer::WordAt(size_t pos, size_t& start, size_t& end) const
{
    pos = std::min(pos, m_text.size());
    start = end = pos;
    if (pos < m_text.size() && IsWordChar(m_text[pos])) {
        while (start > 0 && IsWordChar(m_text[start - 1]))
            --start;
        while (end < m_text.size() && IsWordChar(m_text[end]))
            ++end;
        // A double click on a word takes the spaces after it too.
        while (end < m_text.size() && m_text[end] == U' ')
            ++end;
    } else if (pos < m_text.size()) {
        end = pos + 1;
    }
}
