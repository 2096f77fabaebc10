#include "platform/forms/report_print.h"

#include "platform/report_model.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <vector>

namespace kavro {

namespace {

constexpr qreal kBodyPoints = 9; // type of the rows when the columns fit
constexpr qreal kSmallestPoints = 6.5; // the smallest type tried before text columns wrap
constexpr qreal kCaptionPoints = 11;
constexpr qreal kMarginMm = 10;
constexpr qreal kPaddingMm = 1.2; // either side of a cell's text
constexpr int kReadChunk = 5000; // rows read between progress reports

qreal mm(qreal millimetres, const QPaintDevice* d) { return millimetres * d->logicalDpiX() / 25.4; }

// Texts of one font on one device, measured and drawn glyph by glyph: each
// character's glyph and advance are looked up once, so the many short texts
// of a long report (dates, numbers, amounts) need no text layout. A text with
// a character the font lacks is measured and drawn the ordinary way.
class TextRuns {
public:
    TextRuns(const QFont& font, QPaintDevice* device)
        : m_font(font, device), m_metrics(m_font, device), m_raw(QRawFont::fromFont(m_font)), m_glyphs(0x10000)
    {}
    qreal width(const QString& text)
    {
        qreal w = 0;
        for (const QChar c : text) {
            const Glyph& g = glyph(c);
            if (!g.index) return m_metrics.horizontalAdvance(text);
            w += g.advance;
        }
        return w;
    }
    void draw(QPainter& p, const QPointF& baseline, const QString& text)
    {
        m_indexes.resize(text.size());
        m_positions.resize(text.size());
        qreal x = 0;
        for (int i = 0; i < text.size(); ++i) {
            const Glyph& g = glyph(text[i]);
            if (!g.index) {
                p.drawText(baseline, text);
                return;
            }
            m_indexes[i] = g.index;
            m_positions[i] = QPointF(x, 0);
            x += g.advance;
        }
        QGlyphRun run;
        run.setRawFont(m_raw);
        run.setGlyphIndexes(m_indexes);
        run.setPositions(m_positions);
        p.drawGlyphRun(baseline, run);
    }
    const QFontMetricsF& metrics() const { return m_metrics; }

private:
    struct Glyph {
        quint32 index = 0; // 0: not in the font
        qreal advance = 0;
        bool known = false;
    };
    const Glyph& glyph(QChar c)
    {
        Glyph& g = m_glyphs[c.unicode()];
        if (!g.known) {
            g.known = true;
            int n = 1;
            quint32 index = 0;
            if (!c.isSurrogate() && m_raw.isValid() && m_raw.glyphIndexesForChars(&c, 1, &index, &n) && n == 1
                && index) {
                QPointF advance;
                m_raw.advancesForGlyphIndexes(&index, &advance, 1);
                g.index = index;
                g.advance = advance.x();
            }
        }
        return g;
    }

    QFont m_font;
    QFontMetricsF m_metrics;
    QRawFont m_raw;
    std::vector<Glyph> m_glyphs;
    QList<quint32> m_indexes;
    QList<QPointF> m_positions;
};

QTextOption wrapping()
{
    QTextOption o(Qt::AlignLeft | Qt::AlignTop);
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return o;
}

// Height of `text` wrapped to `width` between words (within a word only when
// the word alone is wider).
qreal wrappedHeight(const QFont& font, QPaintDevice* device, const QString& text, qreal width)
{
    QTextLayout layout(text, font, device);
    layout.setTextOption(wrapping());
    layout.beginLayout();
    qreal h = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        h += line.height();
    }
    layout.endLayout();
    return h;
}

QFont printFont(qreal points, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    // No ligatures: "fi" stays two letters a PDF reader can search for.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

} // namespace

ReportPrint::ReportPrint(Report* report) : m_report(report) {}

QString ReportPrint::caption() const
{
    const QString title = m_report->object().title;
    return title.isEmpty() ? m_caption : title;
}

QStringList ReportPrint::headerLines() const
{
    QStringList lines = m_report->header();
    if (!m_period.isEmpty() && !lines.contains(m_period)) lines << m_period;
    return lines;
}

QString ReportPrint::cellText(const Report::Line& line, int column) const
{
    return ReportModel::text(m_report->object(), line, column);
}

bool ReportPrint::readAll(const Progress& progress)
{
    while (m_report->canFetchMore()) {
        m_report->fetch(kReadChunk);
        if (progress && !progress(int(m_report->lines().size()), 0)) return false;
    }
    return true;
}

void ReportPrint::measure(QPagedPaintDevice* device)
{
    const ReportObject& o = m_report->object();
    TextRuns plain(m_font, device);
    TextRuns bold(m_bold, device);
    m_padding = mm(kPaddingMm, device);
    m_columns.clear();
    for (int c = 0; c < o.columns.size(); ++c) {
        Column col;
        col.right = o.columns[c].kind != ReportColumn::Text;
        col.natural = bold.width(o.columns[c].title);
        m_columns << col;
    }
    for (const Report::Line& l : m_report->lines()) {
        TextRuns& w = l.kind == Report::Line::Row ? plain : bold;
        for (int c = 0; c < m_columns.size(); ++c) {
            const QString t = cellText(l, c);
            if (!t.isEmpty()) m_columns[c].natural = qMax(m_columns[c].natural, w.width(t));
        }
    }
    for (Column& col : m_columns) col.natural = std::ceil(col.natural + 2 * m_padding);
    m_rowHeight = std::ceil(plain.metrics().height() * 1.25);
}

bool ReportPrint::fitColumns(qreal pageWidth, qreal scale)
{
    qreal total = 0;
    for (const Column& c : m_columns) total += c.natural * scale;
    if (total <= pageWidth) {
        for (Column& c : m_columns) {
            c.width = c.natural * scale;
            c.wraps = false;
        }
        return true;
    }
    // Too wide even so: numbers, amounts and date-times keep their width, the
    // text columns share what is left (the narrow ones keep theirs) and wrap.
    qreal fixed = 0;
    QList<int> texts;
    for (int i = 0; i < m_columns.size(); ++i) {
        m_columns[i].width = m_columns[i].natural * scale;
        m_columns[i].wraps = false;
        if (m_columns[i].right)
            fixed += m_columns[i].width;
        else
            texts << i;
    }
    qreal left = pageWidth - fixed;
    std::sort(texts.begin(), texts.end(), [this](int a, int b) { return m_columns[a].natural < m_columns[b].natural; });
    for (int k = 0; k < texts.size(); ++k) {
        Column& c = m_columns[texts[k]];
        const qreal share = left / (texts.size() - k);
        if (c.width > share) {
            c.width = qMax(share, 4 * m_padding);
            c.wraps = true;
        }
        left -= c.width;
    }
    return false;
}

void ReportPrint::paginate(qreal bodyHeight)
{
    const QList<Report::Line>& lines = m_report->lines();
    m_pageStarts = {0};
    qreal y = 0;
    int start = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const qreal h = m_heights[i];
        if (y + h <= bodyHeight || i == start) {
            y += h;
            continue;
        }
        // A sum never opens a page: the last row of its group goes along.
        int b = i;
        if (lines[i].kind != Report::Line::Row) {
            int k = i - 1;
            while (k > start && lines[k].kind != Report::Line::Row) --k;
            if (k > start) b = k;
        }
        start = b;
        m_pageStarts << start;
        y = 0;
        for (int k = start; k <= i; ++k) y += m_heights[k];
    }
}

ReportPrint::Result ReportPrint::print(QPrinter* printer, const Progress& progress)
{
    m_error.clear();
    m_pageStarts.clear();
    const QString before = m_report->errorText();
    if (!readAll(progress)) return Cancelled;
    if (m_report->errorText() != before && !m_report->errorText().isEmpty()) {
        m_error = m_report->errorText();
        return Failed;
    }

    printer->setFullPage(false);
    printer->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);

    // The widest type that lets the columns stand whole, portrait first.
    m_font = printFont(kBodyPoints, false);
    m_bold = printFont(kBodyPoints, true);
    measure(printer);
    auto pageWidth = [printer](QPageLayout::Orientation o) {
        QPageLayout l = printer->pageLayout();
        l.setOrientation(o);
        return l.paintRectPixels(printer->resolution()).width();
    };
    qreal points = kBodyPoints;
    m_landscape = false;
    if (!fitColumns(pageWidth(QPageLayout::Portrait), 1)) {
        m_landscape = true;
        const qreal width = pageWidth(QPageLayout::Landscape);
        // Type shrinks until the columns fit, down to the smallest: first by
        // the ratio of the widths (the padding stays), then in half points.
        qreal text = 0, padding = 0;
        for (const Column& c : m_columns) {
            text += c.natural - 2 * m_padding;
            padding += 2 * m_padding;
        }
        if (text > 0 && text + padding > width)
            points = qMax(kSmallestPoints, std::floor(2 * kBodyPoints * (width - padding) / text) / 2);
        while (points != kBodyPoints) {
            m_font = printFont(points, false);
            m_bold = printFont(points, true);
            measure(printer);
            if (fitColumns(width, 1) || points <= kSmallestPoints) break;
            points = qMax(kSmallestPoints, points - 0.5);
        }
        fitColumns(width, 1);
    }
    printer->setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

    QPainter p;
    if (!p.begin(printer)) {
        m_error = QStringLiteral("Tiskárnu nelze otevřít.");
        return Failed;
    }
    const QRectF page(0, 0, printer->width(), printer->height());
    const QFont captionFont = printFont(kCaptionPoints, true);
    const QFontMetricsF captionMetrics(captionFont, printer);
    const QFontMetricsF fm(m_font, printer);
    const QStringList header = headerLines();
    const QString title = caption();
    const qreal headerLine = std::ceil(fm.height() * 1.2);
    const qreal headingTop = captionMetrics.height() * 1.3 + header.size() * headerLine + mm(2, printer);
    const qreal bodyTop = headingTop + m_rowHeight + mm(1, printer);

    // Heights of the lines and the page breaks, before anything is printed.
    const QList<Report::Line>& lines = m_report->lines();
    m_heights.clear();
    m_heights.reserve(lines.size());
    bool anyWraps = false;
    for (const Column& c : m_columns) anyWraps = anyWraps || c.wraps;
    TextRuns plain(m_font, printer);
    TextRuns bold(m_bold, printer);
    for (const Report::Line& l : lines) {
        qreal h = m_rowHeight;
        for (int c = 0; anyWraps && c < m_columns.size(); ++c) {
            if (!m_columns[c].wraps) continue;
            const QString t = cellText(l, c);
            const bool sum = l.kind != Report::Line::Row;
            const qreal inner = m_columns[c].width - 2 * m_padding;
            if (t.isEmpty() || (sum ? bold : plain).width(t) <= inner) continue;
            const qreal lines = wrappedHeight(sum ? m_bold : m_font, printer, t, inner);
            h = qMax(h, std::ceil(lines + m_rowHeight - fm.height()));
        }
        m_heights << h;
    }
    paginate(page.height() - bodyTop);
    const int pages = int(m_pageStarts.size());

    QList<qreal> lefts;
    qreal x = 0;
    for (const Column& c : m_columns) {
        lefts << x;
        x += c.width;
    }
    const qreal tableWidth = x;
    const QPen rule(Qt::black, qMax<qreal>(1, mm(0.2, printer)));
    const QPen thin(Qt::black, qMax<qreal>(1, mm(0.1, printer)));

    auto cell = [&](TextRuns& w, qreal top, qreal height, int c, const QString& t) {
        if (t.isEmpty()) return;
        const Column& col = m_columns[c];
        const qreal inner = col.width - 2 * m_padding;
        const qreal tw = w.width(t);
        if (col.wraps && tw > inner) {
            const qreal gap = (m_rowHeight - w.metrics().height()) / 2;
            p.drawText(QRectF(lefts[c] + m_padding, top + gap, inner, height - gap), t, wrapping());
            return;
        }
        const qreal baseline = top + (m_rowHeight - w.metrics().height()) / 2 + w.metrics().ascent();
        const qreal left = col.right ? lefts[c] + col.width - m_padding - tw : lefts[c] + m_padding;
        w.draw(p, QPointF(left, baseline), t);
    };

    const ReportObject& o = m_report->object();
    for (int n = 0; n < pages; ++n) {
        if (progress && !progress(n, pages)) {
            printer->abort();
            p.end();
            if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
                QFile::remove(printer->outputFileName());
            return Cancelled;
        }
        if (n > 0 && !printer->newPage()) {
            m_error = QStringLiteral("Další stranu nelze vytisknout.");
            p.end();
            return Failed;
        }
        // Caption and page number, the header lines, the column headings.
        p.setPen(Qt::black);
        p.setFont(captionFont);
        p.drawText(QPointF(0, captionMetrics.ascent()), title);
        p.setFont(m_font);
        const QString number = QStringLiteral("Strana %1 z %2").arg(n + 1).arg(pages);
        p.drawText(QPointF(page.width() - fm.horizontalAdvance(number), captionMetrics.ascent()), number);
        qreal y = captionMetrics.height() * 1.3;
        for (const QString& h : header) {
            p.drawText(QPointF(0, y + fm.ascent()), h);
            y += headerLine;
        }
        p.setFont(m_bold);
        for (int c = 0; c < m_columns.size(); ++c) {
            const QString t = o.columns[c].title;
            const Column& col = m_columns[c];
            const qreal tw = bold.width(t);
            const qreal left = col.right ? lefts[c] + col.width - m_padding - tw : lefts[c] + m_padding;
            p.drawText(QPointF(left, headingTop + (m_rowHeight - fm.height()) / 2 + fm.ascent()), t);
        }
        p.setPen(rule);
        p.drawLine(QPointF(0, headingTop + m_rowHeight), QPointF(tableWidth, headingTop + m_rowHeight));

        // The page's lines.
        const int first = m_pageStarts[n];
        const int end = n + 1 < pages ? m_pageStarts[n + 1] : int(lines.size());
        y = bodyTop;
        bool boldNow = true;
        for (int i = first; i < end; ++i) {
            const Report::Line& l = lines[i];
            const bool sum = l.kind != Report::Line::Row;
            if (sum) {
                p.setPen(thin);
                p.drawLine(QPointF(0, y), QPointF(tableWidth, y));
            }
            p.setPen(Qt::black);
            if (sum != boldNow) {
                p.setFont(sum ? m_bold : m_font);
                boldNow = sum;
            }
            TextRuns& w = sum ? bold : plain;
            for (int c = 0; c < m_columns.size(); ++c) cell(w, y, m_heights[i], c, cellText(l, c));
            y += m_heights[i];
        }
    }
    if (progress) progress(pages, pages);
    if (!p.end()) {
        m_error = QStringLiteral("Tisk se nepodařilo dokončit.");
        return Failed;
    }
    return Printed;
}

} // namespace kavro
