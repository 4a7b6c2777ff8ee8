// Text output, measurement and formatted text (DrawText).
//
// DrawText's steps: take out the accelerator marks (unless DT_NOPREFIX),
// cut the text into lines (at line breaks unless DT_SINGLELINE, and to the
// width with DT_WORDBREAK), shorten lines with "..." (DT_END_ELLIPSIS), then
// either report the extent (DT_CALCRECT) or place and draw each line.
#include <algorithm>
#include <string>

#include "platform/core/CodePage.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasPrivate.h"
#include "platform/graphics/FontEngine.h"

namespace graphics {

namespace {

// Text with its accelerator marks taken out, and the byte at which the
// underlined character starts (-1 when none is).
struct Unprefixed {
    std::string Text;
    int Accel = -1;
};

Unprefixed StripPrefixes(std::string_view text)
{
    Unprefixed out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out.Text += '&';
                i += 2;
                continue;
            }
            if (out.Accel < 0 && i + 1 < text.size())
                out.Accel = static_cast<int>(out.Text.size());
            ++i;
            continue;
        }
        size_t length = core::IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
        out.Text.append(text.substr(i, length));
        i += length;
    }
    return out;
}

struct Line {
    size_t Begin;
    size_t End;
};

size_t CharLength(std::string_view text, size_t i)
{
    return core::IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// Width of one line, tabs expanded when tabWidth is above 0.
int MeasureLine(TFontInstance& font, std::string_view text, int tabWidth)
{
    if (tabWidth <= 0 || text.find('\t') == std::string_view::npos)
        return font.TextWidth(text);
    int x = 0;
    for (size_t i = 0; i < text.size();) {
        int length = 1;
        char32_t ch = core::DecodeAnsiChar(text, i, length);
        if (ch == U'\t')
            x = (x / tabWidth + 1) * tabWidth;
        else
            x += font.Glyph(ch).Advance;
        i += static_cast<size_t>(length);
    }
    return text.empty() ? 0 : x + font.Metrics().Overhang;
}

// The paragraphs of the text: runs between CR LF, CR or LF. A break at the
// very end starts no further line.
std::vector<Line> SplitParagraphs(std::string_view text)
{
    std::vector<Line> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back({start, i});
            i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
            continue;
        }
        i += CharLength(text, i);
    }
    if (start < text.size() || lines.empty())
        lines.push_back({start, text.size()});
    return lines;
}

// Breaks one paragraph into lines no wider than `width`. Lines break after
// blanks and before or after a double-byte character; a word wider than the
// line stands alone and overflows. Blanks at a break are dropped.
void WrapParagraph(TFontInstance& font, std::string_view text, Line paragraph, int width, int tabWidth,
                   std::vector<Line>& lines)
{
    size_t lineStart = paragraph.Begin;
    size_t contentEnd = paragraph.Begin;
    bool hasContent = false;
    size_t i = paragraph.Begin;
    while (i < paragraph.End) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        // The next unit: one double-byte character or a run of single bytes.
        size_t unitStart = i;
        if (core::IsLeadByte(text[i])) {
            i += CharLength(text, i);
        } else {
            while (i < paragraph.End && text[i] != ' ' && text[i] != '\t' && !core::IsLeadByte(text[i]))
                ++i;
        }
        int w = MeasureLine(font, text.substr(lineStart, i - lineStart), tabWidth);
        if (!hasContent || w <= width) {
            contentEnd = i;
            hasContent = true;
            continue;
        }
        lines.push_back({lineStart, contentEnd});
        lineStart = unitStart;
        contentEnd = i;
    }
    lines.push_back({lineStart, hasContent ? contentEnd : lineStart});
}

// Shortens `line` so that it and "..." fit `width`, never cutting a
// double-byte character.
std::string WithEllipsis(TFontInstance& font, std::string_view line, int width, int tabWidth)
{
    if (MeasureLine(font, line, tabWidth) <= width)
        return std::string(line);
    size_t keep = 0;
    for (size_t i = 0; i < line.size();) {
        size_t next = i + CharLength(line, i);
        std::string candidate = std::string(line.substr(0, next)) + "...";
        if (MeasureLine(font, candidate, tabWidth) > width)
            break;
        keep = next;
        i = next;
    }
    return std::string(line.substr(0, keep)) + "...";
}

}  // namespace

TTextMetric TCanvas::TextMetrics() const { return FontInstance().Metrics(); }

int TCanvas::TextWidth(std::string_view text) const { return FontInstance().TextWidth(text); }

int TCanvas::TextHeight(std::string_view) const { return FontInstance().Metrics().Height; }

TSize TCanvas::TextExtent(std::string_view text) const
{
    TFontInstance& font = FontInstance();
    return {font.TextWidth(text), font.Metrics().Height};
}

int TCanvas::DrawTextRun(TPoint cell, std::string_view text, const TRect* clip, int accelIndex, int tabWidth)
{
    TFontInstance& font = FontInstance();
    const TTextMetric& m = font.Metrics();
    TPixel color = DevicePixel(font_->Color());
    auto paint = [&](TRect r) {
        if (clip)
            r = Intersection(r, *clip);
        ForEachClipped(r, [&](const TRect& part) {
            for (int y = part.Top; y < part.Bottom; ++y)
                std::fill(surface_.Row(y) + part.Left, surface_.Row(y) + part.Right, color);
        });
    };
    int baseline = cell.Y + m.Ascent;
    int x = cell.X;
    for (size_t i = 0; i < text.size();) {
        int length = 1;
        char32_t ch = core::DecodeAnsiChar(text, i, length);
        if (ch == U'\t' && tabWidth > 0) {
            x = cell.X + ((x - cell.X) / tabWidth + 1) * tabWidth;
            i += static_cast<size_t>(length);
            continue;
        }
        const TGlyph& g = font.Glyph(ch);
        TRect box = Bounds(x + g.Left, baseline - g.Top, g.Width, g.Height);
        TRect visible = clip ? Intersection(box, *clip) : box;
        ForEachClipped(visible, [&](const TRect& part) {
            for (int y = part.Top; y < part.Bottom; ++y) {
                const uint8_t* mask = g.Mask.data() + static_cast<ptrdiff_t>(y - box.Top) * g.Width;
                TPixel* row = surface_.Row(y);
                for (int px = part.Left; px < part.Right; ++px)
                    if (mask[px - box.Left])
                        row[px] = color;
            }
        });
        if (static_cast<int>(i) == accelIndex)
            paint({x, cell.Y + font.UnderlineRow(), x + g.Advance, cell.Y + font.UnderlineRow() + font.LineThickness()});
        x += g.Advance;
        i += static_cast<size_t>(length);
    }
    int width = x - cell.X;
    if (font_->Style().Contains(fsUnderline))
        paint({cell.X, cell.Y + font.UnderlineRow(), x, cell.Y + font.UnderlineRow() + font.LineThickness()});
    if (font_->Style().Contains(fsStrikeOut))
        paint({cell.X, cell.Y + font.StrikeOutRow(), x, cell.Y + font.StrikeOutRow() + font.LineThickness()});
    return text.empty() ? 0 : width + m.Overhang;
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    TSize extent = TextExtent(text);
    if (bkMode_ == OPAQUE)
        FillColor(Bounds(x, y, extent.cx, extent.cy), brush_->Color());
    if (!surface_.IsNull())
        DrawTextRun(ToSurface(TPoint{x, y}), text, nullptr, -1, 0);
    MoveTo(x + extent.cx, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text)
{
    if (bkMode_ == OPAQUE)
        FillColor(r, brush_->Color());
    TRect clip = ToSurface(r);
    if (!surface_.IsNull())
        DrawTextRun(ToSurface(TPoint{x, y}), text, &clip, -1, 0);
}

int TCanvas::DrawText(std::string_view text, TRect& r, unsigned flags)
{
    TFontInstance& font = FontInstance();
    const int height = font.Metrics().Height;
    const int tabWidth = (flags & DT_EXPANDTABS) ? 8 * std::max(1, font.Metrics().AveCharWidth) : 0;
    Unprefixed prepared =
        (flags & DT_NOPREFIX) ? Unprefixed{std::string(text), -1} : StripPrefixes(text);
    const std::string& source = prepared.Text;
    if (source.empty()) {
        if (flags & DT_CALCRECT) {
            r.Right = r.Left;
            r.Bottom = r.Top;
        }
        return 0;
    }

    std::vector<Line> lines;
    if (flags & DT_SINGLELINE) {
        lines.push_back({0, source.size()});
    } else {
        for (const Line& paragraph : SplitParagraphs(source)) {
            if (flags & DT_WORDBREAK)
                WrapParagraph(font, source, paragraph, r.Width(), tabWidth, lines);
            else
                lines.push_back(paragraph);
        }
    }

    // The text of each line, with its accelerator byte if it holds it.
    struct Placed {
        std::string Text;
        int Accel;
        int Width;
    };
    std::vector<Placed> placed;
    int maxWidth = 0;
    for (const Line& line : lines) {
        std::string_view piece = std::string_view(source).substr(line.Begin, line.End - line.Begin);
        int accel = prepared.Accel >= static_cast<int>(line.Begin) && prepared.Accel < static_cast<int>(line.End)
                        ? prepared.Accel - static_cast<int>(line.Begin)
                        : -1;
        std::string shown(piece);
        if (flags & DT_END_ELLIPSIS) {
            shown = WithEllipsis(font, piece, r.Width(), tabWidth);
            // An accelerator in the part given up for "..." is not shown.
            if (shown != piece && accel >= static_cast<int>(shown.size()) - 3)
                accel = -1;
        }
        int width = MeasureLine(font, shown, tabWidth);
        maxWidth = std::max(maxWidth, width);
        placed.push_back({std::move(shown), accel, width});
    }
    const int total = height * static_cast<int>(placed.size());

    if (flags & DT_CALCRECT) {
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + total;
        return total;
    }

    int y = r.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            y = r.Top + (r.Height() - height) / 2;
        else if (flags & DT_BOTTOM)
            y = r.Bottom - height;
    }
    TRect clip = ToSurface(r);
    const TRect* clipPtr = (flags & DT_NOCLIP) ? nullptr : &clip;
    for (size_t i = 0; i < placed.size(); ++i) {
        const Placed& line = placed[i];
        int x = r.Left;
        if (flags & DT_CENTER)
            x = r.Left + (r.Width() - line.Width) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - line.Width;
        int top = y + static_cast<int>(i) * height;
        if (bkMode_ == OPAQUE && !surface_.IsNull()) {
            BrushPaint paint;
            paint.Color = DevicePixel(brush_->Color());
            TRect cell = ToSurface(Bounds(x, top, line.Width, height));
            FillSurfaceRect(clipPtr ? Intersection(cell, clip) : cell, paint, 0xF0);
        }
        if (!surface_.IsNull())
            DrawTextRun(ToSurface(TPoint{x, top}), line.Text, clipPtr, line.Accel, tabWidth);
    }
    return (flags & DT_SINGLELINE) && (flags & (DT_VCENTER | DT_BOTTOM)) ? y - r.Top + total : total;
}

}  // namespace graphics
