#include "core/reports/reporttext.h"

#include "core/base/fonts.h"
#include "core/base/formats.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <array>
#include <cmath>

namespace {

constexpr double kEpsilon = 1e-6;

// Breaks one line at word boundaries so that each piece fits width (units). A single word
// wider than the box stays whole and is cut later like any other line.
QStringList wrapLine(const QString& line, const QFont& font, double width)
{
    if (line.isEmpty())
        return {QString()};
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList pieces;
    layout.beginLayout();
    for (QTextLine tl = layout.createLine(); tl.isValid(); tl = layout.createLine()) {
        tl.setLineWidth(width * kFontScale);
        QString piece = line.mid(tl.textStart(), tl.textLength());
        if (tl.textStart() + tl.textLength() < line.size()) {
            while (piece.endsWith(QLatin1Char(' ')))
                piece.chop(1); // the blank at a break belongs to neither line
        }
        pieces << piece;
    }
    layout.endLayout();
    return pieces;
}

// Tells without shaping a line whether it certainly fits a width: no glyph of the font is
// wider than its widest one, provided the font itself holds every character. A list of ten
// thousand lines then needs no text shaping for the lines that plainly fit.
class FitCheck {
public:
    explicit FitCheck(const QFont& font) : m_fm(font), m_widest(m_fm.maxWidth() / kFontScale) {}

    const QFontMetricsF& metrics() const { return m_fm; }

    bool surelyFits(const QString& line, double width)
    {
        if (m_widest <= 0 || line.size() * m_widest * 1.02 > width)
            return false;
        for (const QChar c : line) {
            if (!held(c))
                return false;
        }
        return true;
    }

private:
    bool held(QChar c)
    {
        const char16_t u = c.unicode();
        if (u >= m_known.size())
            return !c.isSurrogate() && c.category() != QChar::Mark_NonSpacing && m_fm.inFont(c);
        if (m_known[u] == 0)
            m_known[u] = c.category() != QChar::Mark_NonSpacing && m_fm.inFont(c) ? 1 : -1;
        return m_known[u] > 0;
    }

    QFontMetricsF m_fm;
    double m_widest;
    std::array<signed char, 0x2200> m_known{}; // Latin and the general punctuation of 1252
};

// Places one line horizontally in a box of width w and keeps only the characters whose glyph
// reaches into the box. Returns the kept text; x receives where it starts.
QString placeLine(const QString& line, const QFont& font, FitCheck& fit, HAlign align, double w,
                  double& x)
{
    if (align == HAlign::Left && fit.surelyFits(line, w - 1.0)) {
        x = 0.0;
        return line;
    }
    const QFontMetricsF& fm = fit.metrics();
    const double full = fm.horizontalAdvance(line) / kFontScale;
    x = align == HAlign::Left ? 0.0 : (w - full) / 2.0;
    if (x >= -kEpsilon && x + full <= w + kEpsilon)
        return line;

    QTextLayout layout(line, font);
    layout.beginLayout();
    QTextLine tl = layout.createLine();
    tl.setLineWidth(1e7); // one line, never broken
    layout.endLayout();
    const double start = x;
    int first = -1;
    int last = -1;
    for (int i = 0; i < line.size(); ++i) {
        const double from = start + tl.cursorToX(i) / kFontScale;
        const double to = start + tl.cursorToX(i + 1) / kFontScale;
        if (to > kEpsilon && from < w - kEpsilon) {
            if (first < 0) {
                first = i;
                x = from;
            }
            last = i;
        }
    }
    if (first < 0) {
        x = 0.0;
        return QString();
    }
    return line.mid(first, last - first + 1);
}

} // namespace

QFont reportQFont(const ReportFont& font)
{
    registerFonts();
    QFont f(font.family);
    f.setPixelSize(int(std::lround(font.height * kFontScale)));
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

QString evaluateNames(const QString& text, const QDate& today)
{
    QString out = text;
    out.replace(QStringLiteral("[DATE]"), formatShortDate(today));
    return out;
}

double baselineInSlot(const ReportFont& font, double pitch)
{
    const QFontMetricsF fm(reportQFont(font));
    const double ascent = fm.ascent() / kFontScale;
    const double descent = fm.descent() / kFontScale;
    return (pitch - (ascent + descent)) / 2.0 + ascent;
}

void layOutText(ReportObject& box, const QDate& today)
{
    const QFont font = reportQFont(box.font);
    QStringList lines;
    for (const QString& raw : std::as_const(box.lines)) {
        const QString line =
            box.expressions && box.linesFromTemplate ? evaluateNames(raw, today) : raw;
        if (box.wordWrap)
            lines += wrapLine(line, font, box.rect.width());
        else
            lines << line;
    }

    const double pitch = box.pitch();
    const double height = box.rect.height();
    double top = box.vAlign == VAlign::Top ? 0.0 : (height - lines.size() * pitch) / 2.0;
    // Lines wholly above or below the box are not printed; a line partly inside is clipped.
    while (!lines.isEmpty() && top + pitch <= kEpsilon) {
        lines.removeFirst();
        top += pitch;
    }
    while (!lines.isEmpty() && top + (lines.size() - 1) * pitch >= height - kEpsilon)
        lines.removeLast();

    box.lines.clear();
    box.lineX.clear();
    FitCheck fit(font);
    for (const QString& line : std::as_const(lines)) {
        double x = 0.0;
        box.lines << placeLine(line, font, fit, box.hAlign, box.rect.width(), x);
        box.lineX.push_back(x);
    }
    box.firstLineTop = top;
    box.linesFromTemplate = false;
}
