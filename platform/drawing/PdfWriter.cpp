#include "platform/drawing/PdfWriter.h"

#include "platform/core/AtomicFile.h"
#include "platform/drawing/PainterSink_p.h"

#include <QFont>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <exception>
#include <optional>

namespace {

// The PDF engine's output, going to an atomic file. A write that fails is kept and
// answered as a failed write to the engine; Finish raises it (exceptions must not
// cross Qt's code).
class TAtomicFileDevice : public QIODevice {
public:
    explicit TAtomicFileDevice(TAtomicFile& file) : m_file(file) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }
    void RaiseError()
    {
        if (m_error)
            std::rethrow_exception(m_error);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_error)
            return -1;
        try {
            m_file.Write(data, size_t(size));
            return size;
        } catch (...) {
            m_error = std::current_exception();
            return -1;
        }
    }

private:
    TAtomicFile& m_file;
    std::exception_ptr m_error;
};

// A page layout of width x height points without margins: sizes are portrait sizes,
// a wider page is the portrait one turned.
QPageLayout PageLayoutOf(double width, double height)
{
    const QPageSize size(QSizeF(std::min(width, height), std::max(width, height)), QPageSize::Point, QString(),
                         QPageSize::ExactMatch);
    return QPageLayout(size, width > height ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point);
}

} // namespace

TVectorPoint PaperPoints(TPaperSize Paper)
{
    switch (Paper) {
    case TPaperSize::A3: return {841.89, 1190.55};
    case TPaperSize::Letter: return {612, 792};
    case TPaperSize::Legal: return {612, 1008};
    case TPaperSize::A4: break;
    }
    return {595.28, 841.89};
}

struct TPdfWriter::Private {
    TAtomicFile file;
    TAtomicFileDevice device;
    QPdfWriter writer;
    std::optional<QPainter> painter;
    std::optional<TPainterSink> sink;
    int pages = 0;
    bool finished = false;

    explicit Private(const std::string& path) : file(path), device(file), writer(&device) {}
};

TPdfWriter::TPdfWriter(const std::string& Path, const std::string& Title) : d(std::make_unique<Private>(Path))
{
    // One unit of the painter is one point.
    d->writer.setResolution(72);
    d->writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    d->writer.setTitle(QString::fromStdString(Title));
    d->writer.setCreator(QStringLiteral("Velmora"));
}

TPdfWriter::~TPdfWriter()
{
    if (d->painter && d->painter->isActive())
        d->painter->end();
}

void TPdfWriter::NewPage(double Width, double Height)
{
    d->writer.setPageLayout(PageLayoutOf(Width, Height));
    if (!d->painter) {
        d->painter.emplace();
        if (!d->painter->begin(&d->writer))
            throw EPlatformError("The PDF document could not be started.");
        d->sink.emplace(*d->painter);
    } else {
        d->writer.newPage();
    }
    d->device.RaiseError();
    ++d->pages;
}

TVectorSink& TPdfWriter::Drawing(double Scale, double Left, double Top, const TRect& Area)
{
    if (!d->painter)
        throw EPlatformError("The PDF document has no page to draw on.");
    QTransform transform;
    transform.translate(Left, Top);
    transform.scale(Scale, Scale);
    d->sink->Place(transform, QRect(Area.Left, Area.Top, Area.Width(), Area.Height()));
    return *d->sink;
}

void TPdfWriter::Label(const std::string& Text, double X, double Y)
{
    if (!d->painter)
        throw EPlatformError("The PDF document has no page to write on.");
    QPainter& p = *d->painter;
    p.save();
    p.resetTransform();
    p.setClipping(false);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(Qt::black);
    const QString text = QString::fromStdString(Text);
    p.drawText(QPointF(X - p.fontMetrics().horizontalAdvance(text) / 2.0, Y), text);
    p.restore();
}

int TPdfWriter::PageCount() const
{
    return d->pages;
}

void TPdfWriter::Finish()
{
    if (d->finished)
        return;
    if (!d->painter)
        throw EPlatformError("The PDF document has no pages.");
    d->painter->end();
    d->device.RaiseError();
    d->file.Commit();
    d->finished = true;
}
