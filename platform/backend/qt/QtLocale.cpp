#include "platform/backend/qt/QtLocale.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QObject>

namespace {

bool IsLetter(QChar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Qt's format letters (M months, m minutes, H hours, AP) into the platform's (m months,
// n minutes, h hours, AMPM); other letters are quoted so they stay text.
std::string ConvertFormat(const QString& format)
{
    QString out;
    int i = 0;
    const int n = int(format.size());
    while (i < n) {
        const QChar c = format[i];
        if (c == '\'') {
            // Quoted text; two quotes stand for one.
            QString text;
            ++i;
            while (i < n) {
                if (format[i] == '\'') {
                    if (i + 1 < n && format[i + 1] == '\'') {
                        text += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += format[i++];
            }
            if (text == "'")
                out += "'\"'\"";
            else if (!text.isEmpty())
                out += '"' + QString(text).remove('"') + '"';
            continue;
        }
        int run = 1;
        while (i + run < n && format[i + run] == c)
            ++run;
        const QString letters(run, c);
        if (c == 'd' || c == 'y' || c == 's' || c == 'z' || c == 'h')
            out += letters;
        else if (c == 'M')
            out += QString(run, 'm');
        else if (c == 'm')
            out += QString(run, 'n');
        else if (c == 'H')
            out += QString(run, 'h');
        else if (c == 'A' || c == 'a') {
            out += "AMPM";
            if (i + run < n && (format[i + run] == 'P' || format[i + run] == 'p'))
                ++run;
        } else if (c == 't') {
            // The time zone is not shown.
        } else if (IsLetter(c))
            out += '"' + letters + '"';
        else
            out += letters;
        i += run;
    }
    return out.trimmed().toStdString();
}

// The first character in a Qt format that is neither a letter nor a quote, after a letter.
std::string SeparatorOf(const QString& format, const std::string& fallback)
{
    bool seenLetter = false;
    for (QChar c : format) {
        if (IsLetter(c))
            seenLetter = true;
        else if (seenLetter && c != '\'' && !c.isSpace())
            return QString(c).toStdString();
    }
    return fallback;
}

QString Normalized(QString s, const QString& symbol)
{
    s.replace(symbol, "$");
    s.replace(QChar(0x2212), '-');
    for (QChar& c : s)
        if (c.isSpace())
            c = ' ';
    return s;
}

void ReadCurrency(const QLocale& locale, TLocaleSettings& out)
{
    const QString symbol = locale.currencySymbol();
    out.CurrencyString = symbol.toStdString();
    if (symbol.isEmpty())
        return;
    const QString positive = Normalized(locale.toCurrencyString(1.0, symbol, 0), symbol);
    static const char* const positives[] = {"$1", "1$", "$ 1", "1 $"};
    for (int k = 0; k < 4; ++k)
        if (positive == positives[k])
            out.CurrencyFormat = k;
    const QString negative = Normalized(locale.toCurrencyString(-1.0, symbol, 0), symbol);
    static const char* const negatives[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",   "1-$",   "1$-",
                                            "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    for (int k = 0; k < 16; ++k)
        if (negative == negatives[k])
            out.NegCurrFormat = k;
    const QString amount = locale.toCurrencyString(1.0, symbol);
    const int point = int(amount.indexOf(locale.decimalPoint()));
    if (point >= 0) {
        int digits = 0;
        for (int k = point + int(locale.decimalPoint().size()); k < amount.size() && amount[k].isDigit(); ++k)
            ++digits;
        out.CurrencyDecimals = digits;
    } else {
        out.CurrencyDecimals = 0;
    }
}

class LocaleWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LocaleChange && watched == QCoreApplication::instance())
            SetLocale(DesktopLocale());
        return false;
    }
};

} // namespace

TLocaleSettings DesktopLocale()
{
    const QLocale locale = QLocale::system();
    TLocaleSettings out;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    out.ShortDateFormat = ConvertFormat(shortDate);
    out.LongDateFormat = ConvertFormat(locale.dateFormat(QLocale::LongFormat));
    out.ShortTimeFormat = ConvertFormat(shortTime);
    out.LongTimeFormat = ConvertFormat(locale.timeFormat(QLocale::LongFormat));
    out.DateSeparator = SeparatorOf(shortDate, "/");
    out.TimeSeparator = SeparatorOf(shortTime, ":");
    out.TimeAMString = locale.amText().toStdString();
    out.TimePMString = locale.pmText().toStdString();
    out.DecimalSeparator = locale.decimalPoint().toStdString();
    out.ThousandSeparator = locale.groupSeparator().toStdString();
    ReadCurrency(locale, out);
    for (int m = 1; m <= 12; ++m) {
        out.ShortMonthNames[size_t(m - 1)] = locale.monthName(m, QLocale::ShortFormat).toStdString();
        out.LongMonthNames[size_t(m - 1)] = locale.monthName(m, QLocale::LongFormat).toStdString();
    }
    // Qt counts the days from Monday (1) to Sunday (7); the platform from Sunday (0).
    for (int d = 1; d <= 7; ++d) {
        out.ShortDayNames[size_t(d % 7)] = locale.dayName(d, QLocale::ShortFormat).toStdString();
        out.LongDayNames[size_t(d % 7)] = locale.dayName(d, QLocale::LongFormat).toStdString();
    }
    out.FirstDayOfWeek = int(locale.firstDayOfWeek()) % 7;
    return out;
}

void FollowDesktopLocale()
{
    SetLocale(DesktopLocale());
    static LocaleWatcher* watcher = nullptr;
    if (!watcher && QCoreApplication::instance()) {
        watcher = new LocaleWatcher;
        watcher->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watcher);
    }
}
