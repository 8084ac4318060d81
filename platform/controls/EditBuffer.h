// The text model of the edit control: code points, a selection with an anchor and a
// caret end, the length limit, case conversion, and undo/redo of whole edits (typing
// runs merge into one step).
#pragma once

#include <string>
#include <vector>

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TEditBuffer {
public:
    const std::u32string& Text() const { return m_text; }
    std::string TextUtf8() const;
    // Replaces the whole text (not undoable); the caret goes to the start.
    void SetText(const std::u32string& text);
    size_t Length() const { return m_text.size(); }

    // The selection: anchor and caret; the caret is where keys move.
    size_t Anchor() const { return m_anchor; }
    size_t Caret() const { return m_caret; }
    size_t SelStart() const { return std::min(m_anchor, m_caret); }
    size_t SelEnd() const { return std::max(m_anchor, m_caret); }
    bool HasSelection() const { return m_anchor != m_caret; }
    std::u32string SelectedText() const { return m_text.substr(SelStart(), SelEnd() - SelStart()); }
    void Select(size_t anchor, size_t caret);
    void MoveCaret(size_t pos, bool extend);

    size_t MaxLength() const { return m_maxLength; }
    void SetMaxLength(size_t value) { m_maxLength = value; }
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase value) { m_charCase = value; }

    // Replaces the selection by `text` (case-converted, cut to the limit); answers false
    // when nothing could be inserted and nothing was selected. `typing` merges runs of
    // typed characters into one undo step.
    bool ReplaceSelection(const std::u32string& text, bool typing = false);
    // Deletes the selection, or the character (word with `word`) before/after the caret.
    bool DeleteBackward(bool word);
    bool DeleteForward(bool word);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    bool Undo();
    bool Redo();
    void ClearUndo();

    bool Modified() const { return m_modified; }
    void SetModified(bool value) { m_modified = value; }

    // Word moves: the start of the previous word, the start of the next word.
    size_t PreviousWordStart(size_t pos) const;
    size_t NextWordStart(size_t pos) const;
    // The word holding pos (for double clicks).
    void WordAt(size_t pos, size_t& start, size_t& end) const;

    static bool IsWordChar(char32_t c);

private:
    struct Snapshot {
        std::u32string text;
        size_t anchor;
        size_t caret;
    };
    void PushUndo(bool typing);
    std::u32string m_text;
    size_t m_anchor = 0;
    size_t m_caret = 0;
    size_t m_maxLength = 0; // 0: no limit
    TEditCharCase m_charCase = TEditCharCase::ecNormal;
    bool m_modified = false;
    bool m_lastWasTyping = false;
    std::vector<Snapshot> m_undo;
    std::vector<Snapshot> m_redo;
};
