// A record filter written as text, parsed and evaluated by the dataset itself.
//
//   expression := term { OR term }          term := factor { AND factor }
//   factor     := NOT factor | comparison
//   comparison := operand [ ( = | <> | != | < | <= | > | >= ) operand ]
//               | operand IS [NOT] NULL
//   operand    := ( expression ) | 'string' | number | NULL | TRUE | FALSE | field
//   field      := NAME | [any name] | "any name"
//
// Keywords are case-insensitive; a quote inside a string is doubled (''). A string
// literal holding '*' compared with = or <> matches any run of characters there
// (unless foNoPartialCompare). Values compare by the variant rules: a comparison
// that cannot be made is false. foCaseInsensitive folds letter case of strings.
// An operand alone (a Boolean field) is true when its value is true.
#pragma once

#include "platform/data/DataTypes.h"
#include "platform/data/Variant.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFilterExpression {
public:
    // Throws EFilterError with the position of the fault for an invalid text.
    static std::unique_ptr<TFilterExpression> Parse(const std::string& text, TFilterOptions options = {});
    ~TFilterExpression();

    // The field names the expression reads, in order of first use.
    const std::vector<std::string>& FieldNames() const { return m_fieldNames; }
    // Evaluates with the value of FieldNames()[i] given by value(i).
    bool Evaluate(const std::function<Variant(int)>& value) const;

    struct Node;

private:
    TFilterExpression() = default;
    std::unique_ptr<Node> m_root;
    std::vector<std::string> m_fieldNames;
    TFilterOptions m_options;
    friend class FilterParser;
};

// Lower-cases UTF-8 text for case-insensitive matching: ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic capitals.
std::string FoldCase(const std::string& text);
// Matches text against a pattern where '*' stands for any run of characters.
bool WildcardMatch(const std::string& text, const std::string& pattern);
