#pragma once

// The line layout of cell text: where a cell's text breaks into lines and
// where each line sits in the cell. The grid paints text cells with it and
// the in-cell edit box lays out, paints and hit-tests its text with it, so
// that the text does not move when the editor appears over a cell.
//
// Rules. Word wrap is used only when it is not wwOff and the height holds at
// least a line and a third. Wrapped text breaks at line breaks (CR, LF, or
// a CR LF pair) and where a line would grow wider than the room: a line
// starts as an estimate of room / average character width characters and
// grows or shrinks one character at a time by measuring; a line that would
// cut a word goes back to just after its last blank or tab, and the blanks
// that start the next line are skipped. A line never ends inside a
// double-byte character and holds at least one character. Single-line text
// shows each line-break byte as a blank.

#include <functional>
#include <string_view>
#include <vector>

#include "grid/model/GridTypes.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

namespace graphics {
class TCanvas;
}

namespace grid {

// The pixels of a run of text in one font.
using TtsTextWidth = std::function<int(std::string_view)>;

// What the layout needs to know of a font.
struct TtsTextFont {
    // Font height, plus ExtraPixel.
    int LineHeight = 0;
    // 1 on a double-byte system when the font has external leading: it also
    // moves the first line one pixel down.
    int ExtraPixel = 0;
    int AveCharWidth = 1;
    // The width of a run (0 for an empty one), and the italic overhang that
    // a whole line gets back once.
    TtsTextWidth Width;
    int LineOverhang = 0;
};

// The font of `canvas` as the layout measures it. Where the platform counts
// a slanted font's overhang once per measurement, every non-empty run loses
// the overhang and a whole line gets it back once.
TtsTextFont TextFontOf(const graphics::TCanvas& canvas);

// One line: the bytes [Start, End) are shown on it. Bytes between its End
// and the next line's Start are a line break or blanks skipped at a wrap.
struct TtsTextLine {
    int Start = 0;
    int End = 0;
};

// Whether text in `height` pixels is wrapped (`height` is the row height
// less its grid line, or the editor's height).
bool CellTextWraps(TtsWordWrap wordWrap, int height, const TtsTextFont& font);

// Breaks `text` into lines `width` pixels wide. `maxLines` above 0 stops
// after that many lines. With `keepEmptyLast` a text ending in a line break
// gets an empty last line (where an editor's caret goes); the empty text is
// always one empty line.
std::vector<TtsTextLine> BreakCellText(std::string_view text, int width, const TtsTextFont& font, int maxLines = 0,
                                       bool keepEmptyLast = false);

// The text laid out in a rectangle.
struct TtsCellTextLayout {
    bool Wrapped = false;
    std::vector<TtsTextLine> Lines;
    // The left edge of each line's text, and the top of the first line.
    std::vector<int> LineX;
    int Top = 0;
    int LineHeight = 0;
};

// Where a cell's text goes. `rect` is the content rectangle; `margin` the
// left margin (3 in cells); `fitHeight` the height that decides wrapping.
// Horizontally a line starts at rect.Left + margin (left), ends one pixel
// before rect.Right (right) or is centred between the two; vertically the
// line or block of lines sits at the top, at the bottom or (when it fits)
// in the centre. Wrapped cell text lays out at most height / line height + 1
// lines unless `allLines` (an editor keeps them all).
TtsCellTextLayout LayoutCellText(std::string_view text, const graphics::TRect& rect, int margin, TtsHorzAlignment horz,
                                 TtsVertAlignment vert, TtsWordWrap wordWrap, int fitHeight, const TtsTextFont& font,
                                 bool allLines = false);

// The left edge of a run `width` pixels wide under the horizontal alignment.
int AlignedTextX(TtsHorzAlignment horz, const graphics::TRect& rect, int margin, int width);
// The text of one line as it is shown: line-break bytes become blanks.
std::string ShownLineText(std::string_view text, const TtsTextLine& line);
// The pixels of a whole line (the overhang counted once).
int LineWidth(std::string_view text, const TtsTextLine& line, const TtsTextFont& font);

// Draws laid-out text on `canvas` with a transparent background, clipped to
// `clip`, in the canvas font's colour. Bytes [selStart, selEnd) are drawn
// selected: a `selColor` background under `selTextColor` text.
void DrawCellTextLines(graphics::TCanvas& canvas, std::string_view text, const TtsCellTextLayout& layout,
                       const TtsTextFont& font, const graphics::TRect& clip, int selStart = 0, int selEnd = 0,
                       graphics::TColor selColor = 0, graphics::TColor selTextColor = 0);

}  // namespace grid
