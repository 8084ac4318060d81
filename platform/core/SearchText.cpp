#include "platform/core/SearchText.h"

#include <QString>

#include <algorithm>

namespace {

bool IsAscii(std::string_view Text)
{
    return std::all_of(Text.begin(), Text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

} // namespace

std::string FoldForSearch(std::string_view Text)
{
    const QString decomposed =
        QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())).normalized(QString::NormalizationForm_KD);
    QString kept;
    kept.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (!c.isMark())
            kept.append(c);
    }
    // The simple case folding leaves the sharp s, which full folding writes as "ss"
    // (and which no decomposition touches); the capital one folds to it first.
    QString folded = kept.toCaseFolded();
    folded.replace(QChar(0x00DF), QStringLiteral("ss"));
    return folded.toStdString();
}

TSearchText::TSearchText(std::string_view Pattern)
{
    m_ascii = IsAscii(Pattern);
    if (m_ascii) {
        m_folded.resize(Pattern.size());
        std::transform(Pattern.begin(), Pattern.end(), m_folded.begin(), LowerAscii);
    } else {
        m_folded = FoldForSearch(Pattern);
        m_ascii = IsAscii(m_folded);
    }
}

bool TSearchText::FoundIn(std::string_view Text) const
{
    if (m_folded.empty())
        return true;
    if (m_ascii && IsAscii(Text)) {
        const auto found = std::search(Text.begin(), Text.end(), m_folded.begin(), m_folded.end(),
                                       [](char a, char b) { return LowerAscii(a) == b; });
        return found != Text.end();
    }
    return FoldForSearch(Text).find(m_folded) != std::string::npos;
}
