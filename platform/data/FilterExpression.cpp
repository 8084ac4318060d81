#include "platform/data/FilterExpression.h"

#include "platform/data/DatabaseError.h"
#include "platform/data/Fields.h"
#include "platform/core/Utf8.h"

#include <cctype>
#include <string>
#include <vector>

// Or and And hold all their terms in `terms`, so that a long chain is one node and
// not a chain of nodes as deep as it is long; Not holds one operand in `left`, Compare
// two in `left` and `right`. The tree is thus never deeper than the nesting of the
// parentheses, which the parser limits.
struct TFilterExpression::Node {
    enum Kind { Or, And, Not, Compare, IsNull, IsNotNull, Literal, Field, Truth } kind;
    enum Op { Eq, Ne, Lt, Le, Gt, Ge } op = Eq;
    std::unique_ptr<Node> left, right;
    std::vector<std::unique_ptr<Node>> terms;
    Variant literal;
    int slot = -1;
};

namespace {

using Node = TFilterExpression::Node;

struct Token {
    enum Kind { End, Name, String, Number, Symbol } kind = End;
    std::string text;
    Variant value;
    size_t pos = 0;
};

} // namespace

class FilterParser {
public:
    FilterParser(const std::string& text, TFilterExpression& target) : m_text(text), m_target(target) { Advance(); }

    std::unique_ptr<Node> ParseAll()
    {
        auto node = ParseOr();
        if (m_token.kind != Token::End)
            Fail("unexpected '" + m_token.text + "'");
        return node;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw EFilterError("Invalid filter at position " + std::to_string(m_token.pos + 1) + ": " + what + ".");
    }

    bool IsKeyword(const char* word) const { return m_token.kind == Token::Name && !m_quotedName && SameName(m_token.text, word); }

    void Advance()
    {
        const std::string& s = m_text;
        while (m_pos < s.size() && std::isspace((unsigned char)s[m_pos]))
            ++m_pos;
        m_token = Token{};
        m_quotedName = false;
        m_token.pos = m_pos;
        if (m_pos >= s.size())
            return;
        const char c = s[m_pos];
        if (c == '\'') {
            std::string value;
            ++m_pos;
            for (;;) {
                if (m_pos >= s.size()) {
                    m_token.pos = s.size();
                    Fail("unterminated string");
                }
                if (s[m_pos] == '\'') {
                    if (m_pos + 1 < s.size() && s[m_pos + 1] == '\'') {
                        value += '\'';
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                value += s[m_pos++];
            }
            m_token.kind = Token::String;
            m_token.text = value;
            m_token.value = Variant(value);
            return;
        }
        if (c == '[' || c == '"') {
            const char close = c == '[' ? ']' : '"';
            size_t end = s.find(close, m_pos + 1);
            if (end == std::string::npos)
                Fail("unterminated field name");
            m_token.kind = Token::Name;
            m_token.text = s.substr(m_pos + 1, end - m_pos - 1);
            m_quotedName = true;
            m_pos = end + 1;
            return;
        }
        if (std::isdigit((unsigned char)c) || (c == '.' && m_pos + 1 < s.size() && std::isdigit((unsigned char)s[m_pos + 1]))) {
            size_t start = m_pos;
            while (m_pos < s.size() && (std::isdigit((unsigned char)s[m_pos]) || s[m_pos] == '.'))
                ++m_pos;
            if (m_pos < s.size() && (s[m_pos] == 'e' || s[m_pos] == 'E')) {
                size_t save = m_pos++;
                if (m_pos < s.size() && (s[m_pos] == '+' || s[m_pos] == '-'))
                    ++m_pos;
                if (m_pos < s.size() && std::isdigit((unsigned char)s[m_pos])) {
                    while (m_pos < s.size() && std::isdigit((unsigned char)s[m_pos]))
                        ++m_pos;
                } else {
                    m_pos = save;
                }
            }
            m_token.kind = Token::Number;
            m_token.text = s.substr(start, m_pos - start);
            if (!TryStrToNumber(m_token.text, m_token.value))
                Fail("invalid number '" + m_token.text + "'");
            return;
        }
        if (std::isalpha((unsigned char)c) || c == '_' || (unsigned char)c >= 0x80) {
            size_t start = m_pos;
            while (m_pos < s.size() && (std::isalnum((unsigned char)s[m_pos]) || s[m_pos] == '_' || (unsigned char)s[m_pos] >= 0x80))
                ++m_pos;
            m_token.kind = Token::Name;
            m_token.text = s.substr(start, m_pos - start);
            return;
        }
        static const char* const symbols[] = {"<>", "!=", "<=", ">=", "=", "<", ">", "(", ")"};
        for (const char* sym : symbols) {
            size_t n = std::char_traits<char>::length(sym);
            if (s.compare(m_pos, n, sym) == 0) {
                m_token.kind = Token::Symbol;
                m_token.text = sym;
                m_pos += n;
                return;
            }
        }
        m_token.kind = Token::Symbol;
        m_token.text = std::string(1, c);
        Fail("unexpected '" + m_token.text + "'");
    }

    bool IsSymbol(const char* sym) const { return m_token.kind == Token::Symbol && m_token.text == sym; }

    std::unique_ptr<Node> Make(Node::Kind kind, std::unique_ptr<Node> l = nullptr, std::unique_ptr<Node> r = nullptr)
    {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    std::unique_ptr<Node> ParseOr()
    {
        auto first = ParseAnd();
        if (!IsKeyword("OR"))
            return first;
        auto node = Make(Node::Or);
        node->terms.push_back(std::move(first));
        while (IsKeyword("OR")) {
            Advance();
            node->terms.push_back(ParseAnd());
        }
        return node;
    }

    std::unique_ptr<Node> ParseAnd()
    {
        auto first = ParseNot();
        if (!IsKeyword("AND"))
            return first;
        auto node = Make(Node::And);
        node->terms.push_back(std::move(first));
        while (IsKeyword("AND")) {
            Advance();
            node->terms.push_back(ParseNot());
        }
        return node;
    }

    std::unique_ptr<Node> ParseNot()
    {
        // A run of NOTs is counted, not nested: two of them cancel out.
        bool negate = false;
        while (IsKeyword("NOT")) {
            Advance();
            negate = !negate;
        }
        auto node = ParseComparison();
        return negate ? Make(Node::Not, std::move(node)) : std::move(node);
    }

    std::unique_ptr<Node> ParseComparison()
    {
        auto left = ParseOperand();
        if (IsKeyword("IS")) {
            Advance();
            bool negate = false;
            if (IsKeyword("NOT")) {
                negate = true;
                Advance();
            }
            if (!IsKeyword("NULL"))
                Fail("NULL expected after IS");
            Advance();
            return Make(negate ? Node::IsNotNull : Node::IsNull, std::move(left));
        }
        if (m_token.kind == Token::Symbol && m_token.text != "(" && m_token.text != ")") {
            Node::Op op = Node::Eq;
            const std::string& t = m_token.text;
            if (t == "=") op = Node::Eq;
            else if (t == "<>" || t == "!=") op = Node::Ne;
            else if (t == "<") op = Node::Lt;
            else if (t == "<=") op = Node::Le;
            else if (t == ">") op = Node::Gt;
            else if (t == ">=") op = Node::Ge;
            Advance();
            auto node = Make(Node::Compare, std::move(left), ParseOperand());
            node->op = op;
            return node;
        }
        if (left->kind == Node::Or || left->kind == Node::And || left->kind == Node::Not || left->kind == Node::Compare ||
            left->kind == Node::IsNull || left->kind == Node::IsNotNull || left->kind == Node::Truth)
            return left;
        return Make(Node::Truth, std::move(left));
    }

    std::unique_ptr<Node> ParseOperand()
    {
        if (IsSymbol("(")) {
            if (m_depth == kMaxDepth)
                Fail("parentheses nested deeper than " + std::to_string(kMaxDepth));
            ++m_depth;
            Advance();
            auto inner = ParseOr();
            --m_depth;
            if (!IsSymbol(")"))
                Fail(m_token.kind == Token::End ? "')' expected" : "')' expected instead of '" + m_token.text + "'");
            Advance();
            return inner;
        }
        if (m_token.kind == Token::String || m_token.kind == Token::Number) {
            auto n = Make(Node::Literal);
            n->literal = m_token.value;
            Advance();
            return n;
        }
        if (m_token.kind == Token::Name) {
            if (IsKeyword("NULL") || IsKeyword("TRUE") || IsKeyword("FALSE")) {
                auto n = Make(Node::Literal);
                n->literal = IsKeyword("NULL") ? Variant::Null() : Variant(IsKeyword("TRUE"));
                Advance();
                return n;
            }
            if (!m_quotedName && (IsKeyword("AND") || IsKeyword("OR") || IsKeyword("NOT") || IsKeyword("IS")))
                Fail("operand expected instead of '" + m_token.text + "'");
            auto n = Make(Node::Field);
            n->slot = SlotOf(m_token.text);
            Advance();
            return n;
        }
        Fail(m_token.kind == Token::End ? "operand expected at the end" : "operand expected instead of '" + m_token.text + "'");
    }

    int SlotOf(const std::string& name)
    {
        auto& names = m_target.m_fieldNames;
        for (size_t i = 0; i < names.size(); ++i)
            if (SameName(names[i], name))
                return int(i);
        names.push_back(name);
        return int(names.size() - 1);
    }

    // Deeper nesting is refused: the parser and the evaluation descend one level per
    // parenthesis.
    static constexpr int kMaxDepth = 256;

    const std::string& m_text;
    TFilterExpression& m_target;
    int m_depth = 0;
    size_t m_pos = 0;
    Token m_token;
    bool m_quotedName = false;
};

TFilterExpression::~TFilterExpression() = default;

std::unique_ptr<TFilterExpression> TFilterExpression::Parse(const std::string& text, TFilterOptions options)
{
    std::unique_ptr<TFilterExpression> expr(new TFilterExpression());
    expr->m_options = options;
    FilterParser parser(text, *expr);
    expr->m_root = parser.ParseAll();
    return expr;
}

namespace {

struct Evaluator {
    const std::function<Variant(int)>& value;
    TFilterOptions options;

    Variant Operand(const Node& n) const
    {
        if (n.kind == Node::Literal)
            return n.literal;
        if (n.kind == Node::Field)
            return value(n.slot);
        return Variant(Bool(n));
    }

    static bool HasWildcard(const Node& n) { return n.kind == Node::Literal && n.literal.IsString() && n.literal.StringView().find('*') != std::string_view::npos; }

    bool Compare(const Node& n) const
    {
        Variant a = Operand(*n.left);
        Variant b = Operand(*n.right);
        if ((n.op == Node::Eq || n.op == Node::Ne) && !options.contains(TFilterOption::foNoPartialCompare) &&
            (HasWildcard(*n.left) || HasWildcard(*n.right))) {
            const Variant& pattern = HasWildcard(*n.right) ? b : a;
            const Variant& subject = HasWildcard(*n.right) ? a : b;
            if (subject.IsClear())
                return false;
            std::string text = subject.AsString(), pat = std::string(pattern.StringView());
            if (options.contains(TFilterOption::foCaseInsensitive)) {
                text = FoldCase(text);
                pat = FoldCase(pat);
            }
            const bool match = WildcardMatch(text, pat);
            return n.op == Node::Eq ? match : !match;
        }
        if (options.contains(TFilterOption::foCaseInsensitive) && a.IsString() && b.IsString()) {
            a = Variant(FoldCase(std::string(a.StringView())));
            b = Variant(FoldCase(std::string(b.StringView())));
        }
        switch (n.op) {
        case Node::Eq: return VarEquals(a, b);
        case Node::Ne: return VarGreater(a, b) || VarGreater(b, a);
        case Node::Lt: return VarGreater(b, a);
        case Node::Le: return VarGreaterOrEqual(b, a);
        case Node::Gt: return VarGreater(a, b);
        case Node::Ge: return VarGreaterOrEqual(a, b);
        }
        return false;
    }

    bool Bool(const Node& n) const
    {
        switch (n.kind) {
        case Node::Or:
            for (const auto& term : n.terms)
                if (Bool(*term))
                    return true;
            return false;
        case Node::And:
            for (const auto& term : n.terms)
                if (!Bool(*term))
                    return false;
            return true;
        case Node::Not: return !Bool(*n.left);
        case Node::Compare: return Compare(n);
        case Node::IsNull: return Operand(*n.left).IsClear();
        case Node::IsNotNull: return !Operand(*n.left).IsClear();
        case Node::Truth: {
            Variant v = Operand(*n.left);
            if (v.IsClear())
                return false;
            try {
                return v.AsBoolean();
            } catch (const Exception&) {
                return false;
            }
        }
        case Node::Literal:
        case Node::Field:
            return false;
        }
        return false;
    }
};

} // namespace

bool TFilterExpression::Evaluate(const std::function<Variant(int)>& value) const
{
    Evaluator e{value, m_options};
    return e.Bool(*m_root);
}

std::string FoldCase(const std::string& text)
{
    return Utf8ToLower(text);
}

bool WildcardMatch(const std::string& text, const std::string& pattern)
{
    // Greedy matching with backtracking to the last '*': linear in practice.
    size_t t = 0, p = 0, starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}
