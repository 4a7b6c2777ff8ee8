#include "grid/view/CellTextLayout.h"

#include <algorithm>
#include <memory>

#include "grid/foundation/MultiByteText.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontEngine.h"

namespace grid {

namespace {

int Size(std::string_view text)
{
    // A zero byte ends the text, as it ends the classic strings.
    size_t zero = text.find('\0');
    return static_cast<int>(zero == std::string_view::npos ? text.size() : zero);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The position one character after `pos`, never beyond `limit`.
int NextChar(std::string_view text, int pos, int limit)
{
    int len = CharLenAt(text, pos);
    return std::min(pos + std::max(len, 1), limit);
}

// Whether the platform counts a slanted font's overhang once per
// measurement: "XX" in an italic face then measures less than twice "X".
bool OverhangCountedOnce()
{
    static const bool once = [] {
        graphics::TCanvas probe;
        probe.Font()->SetName("MS Sans Serif");
        probe.Font()->SetStyle(graphics::TFontStyles{graphics::fsItalic});
        return probe.TextWidth("XX") < 2 * probe.TextWidth("X");
    }();
    return once;
}

}  // namespace

TtsTextFont TextFontOf(const graphics::TCanvas& canvas)
{
    graphics::TTextMetric tm = canvas.TextMetrics();
    TtsTextFont font;
    font.ExtraPixel = DoubleByteSystem && tm.ExternalLeading > 0 ? 1 : 0;
    font.LineHeight = tm.Height + font.ExtraPixel;
    font.AveCharWidth = std::max(tm.AveCharWidth, 1);
    int overhang = OverhangCountedOnce() ? tm.Overhang : 0;
    font.LineOverhang = overhang;
    const graphics::TCanvas* c = &canvas;
    font.Width = [c, overhang](std::string_view run) {
        return run.empty() ? 0 : c->TextWidth(run) - overhang;
    };
    return font;
}

bool CellTextWraps(TtsWordWrap wordWrap, int height, const TtsTextFont& font)
{
    if (wordWrap == wwOff)
        return false;
    return (height - font.ExtraPixel) - font.LineHeight >= font.LineHeight / 3;
}

std::vector<TtsTextLine> BreakCellText(std::string_view text, int width, const TtsTextFont& font, int maxLines,
                                       bool keepEmptyLast)
{
    std::vector<TtsTextLine> lines;
    const int n = Size(text);
    auto measure = [&](int from, int to) { return font.Width ? font.Width(text.substr(from, to - from)) : to - from; };
    int pos = 0;
    while (maxLines <= 0 || static_cast<int>(lines.size()) < maxLines) {
        // The paragraph ends at the next line break or at the end.
        int limit = pos;
        while (limit < n && !IsLineBreakAt(text, limit))
            limit = NextChar(text, limit, n);
        // The estimate, then one character at a time.
        int end = pos;
        for (int k = std::max(width / std::max(font.AveCharWidth, 1), 1); k > 0 && end < limit; --k)
            end = NextChar(text, end, limit);
        while (end > pos && measure(pos, end) > width) {
            int back = end - CharLenBefore(text, end);
            if (back <= pos)
                break;
            end = back;
        }
        while (end < limit) {
            int further = NextChar(text, end, limit);
            if (measure(pos, further) > width)
                break;
            end = further;
        }
        if (end == pos && limit > pos)
            end = NextChar(text, pos, limit);
        int next = end;
        if (end < limit) {
            // A wrap inside a paragraph: never cut a word that has a blank before it.
            if (!IsBlank(text[end]) && !IsBlank(text[end - 1])) {
                for (int b = end - 1; b > pos; --b) {
                    if (IsBlank(text[b]) && CharKindAt(text, b) == core::mbSingleByte) {
                        end = b + 1;
                        break;
                    }
                }
                next = end;
            }
            while (next < limit && text[next] == ' ')
                ++next;
            lines.push_back({pos, end});
            if (next < limit) {
                pos = next;
                continue;
            }
            // Only blanks were left: the paragraph's break goes with them.
        } else {
            lines.push_back({pos, end});
        }
        if (limit >= n)
            break;
        next = limit;
        SkipLineBreak(text, next);
        pos = next;
        if (pos >= n) {
            if (keepEmptyLast && (maxLines <= 0 || static_cast<int>(lines.size()) < maxLines))
                lines.push_back({n, n});
            break;
        }
    }
    if (lines.empty())
        lines.push_back({0, 0});
    return lines;
}

int AlignedTextX(TtsHorzAlignment horz, const graphics::TRect& rect, int margin, int width)
{
    switch (horz) {
    case htaRight: return rect.Right - 1 - width;
    case htaCenter: return rect.Left + margin + (rect.Width() - margin - width) / 2;
    default: return rect.Left + margin;
    }
}

std::string ShownLineText(std::string_view text, const TtsTextLine& line)
{
    std::string shown(text.substr(line.Start, line.End - line.Start));
    for (size_t i = 0; i < shown.size(); ++i)
        if ((shown[i] == '\r' || shown[i] == '\n') && CharKindAt(shown, static_cast<int>(i)) == core::mbSingleByte)
            shown[i] = ' ';
    return shown;
}

int LineWidth(std::string_view text, const TtsTextLine& line, const TtsTextFont& font)
{
    if (line.End <= line.Start || !font.Width)
        return 0;
    return font.Width(ShownLineText(text, line)) + font.LineOverhang;
}

TtsCellTextLayout LayoutCellText(std::string_view text, const graphics::TRect& rect, int margin, TtsHorzAlignment horz,
                                 TtsVertAlignment vert, TtsWordWrap wordWrap, int fitHeight, const TtsTextFont& font,
                                 bool allLines)
{
    TtsCellTextLayout layout;
    layout.LineHeight = font.LineHeight;
    layout.Wrapped = CellTextWraps(wordWrap, fitHeight, font);
    const int n = Size(text);
    if (layout.Wrapped) {
        int room = rect.Width() - margin - (horz == htaRight ? 1 : 0);
        int most = allLines ? 0 : rect.Height() / std::max(font.LineHeight, 1) + 1;
        layout.Lines = BreakCellText(text, room, font, most, allLines);
    } else {
        layout.Lines.push_back({0, n});
    }
    int block = static_cast<int>(layout.Lines.size()) * font.LineHeight;
    switch (vert) {
    case vtaBottom: layout.Top = rect.Bottom - block; break;
    case vtaCenter:
        layout.Top = block <= rect.Height() ? rect.Top + (rect.Height() - block) / 2 + font.ExtraPixel
                                            : rect.Top + font.ExtraPixel;
        break;
    default: layout.Top = rect.Top + font.ExtraPixel; break;
    }
    for (const TtsTextLine& line : layout.Lines)
        layout.LineX.push_back(AlignedTextX(horz, rect, margin, LineWidth(text, line, font)));
    return layout;
}

void DrawCellTextLines(graphics::TCanvas& canvas, std::string_view text, const TtsCellTextLayout& layout,
                       const TtsTextFont& font, const graphics::TRect& clip, int selStart, int selEnd,
                       graphics::TColor selColor, graphics::TColor selTextColor)
{
    graphics::TColor textColor = canvas.Font()->Color();
    canvas.SetBkMode(graphics::TRANSPARENT);
    for (size_t i = 0; i < layout.Lines.size(); ++i) {
        const TtsTextLine& line = layout.Lines[i];
        int y = layout.Top + static_cast<int>(i) * layout.LineHeight;
        if (y >= clip.Bottom || y + layout.LineHeight <= clip.Top)
            continue;
        std::string shown = ShownLineText(text, line);
        int x = layout.LineX[i];
        int a = std::clamp(selStart, line.Start, line.End) - line.Start;
        int b = std::clamp(selEnd, line.Start, line.End) - line.Start;
        if (a >= b) {
            canvas.TextRect(clip, x, y, shown);
            continue;
        }
        std::string_view view(shown);
        int xa = x + font.Width(view.substr(0, a));
        int xb = x + font.Width(view.substr(0, b));
        if (a > 0)
            canvas.TextRect(clip, x, y, view.substr(0, a));
        graphics::TRect band{xa, y - font.ExtraPixel, xb, y - font.ExtraPixel + layout.LineHeight};
        band.Left = std::max(band.Left, clip.Left);
        band.Right = std::min(band.Right, clip.Right);
        band.Top = std::max(band.Top, clip.Top);
        band.Bottom = std::min(band.Bottom, clip.Bottom);
        if (!band.IsEmpty()) {
            graphics::TColor brush = canvas.Brush()->Color();
            canvas.Brush()->SetColor(selColor);
            canvas.FillRect(band);
            canvas.Brush()->SetColor(brush);
            canvas.SetBkMode(graphics::TRANSPARENT);
        }
        canvas.Font()->SetColor(selTextColor);
        canvas.TextRect(clip, xa, y, view.substr(a, b - a));
        canvas.Font()->SetColor(textColor);
        if (b < static_cast<int>(shown.size()))
            canvas.TextRect(clip, xb, y, view.substr(b));
    }
}

}  // namespace grid
