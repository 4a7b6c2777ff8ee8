// The message box: a modal form of our own with an icon, the text and a row
// of push buttons.
//
// Layout, in client pixels:
//   12 px margin | 32 px icon | 12 px gap | text (at most 5/8 of the screen
//   wide) | 16 px margin
// and below the taller of icon and text, 14 px of space, the buttons
// (75 by 23, 6 px apart, centred) and a 12 px margin. Text shorter than the
// icon is centred on it vertically.
#include <algorithm>
#include <memory>

#include "platform/graphics/Bitmap.h"
#include "platform/ui/MessageForm.h"
#include "platform/ui/Screen.h"

namespace ui {

CORE_CLASS_IMPL(TMessageForm)

using namespace graphics;

namespace {

constexpr int kMargin = 12;
constexpr int kRightMargin = 16;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonGap = 14;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonSpacing = 6;
constexpr unsigned kTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

struct TButtonKind {
    int Id;
    const char* Caption;
};

// The button sets by the low four bits of the style, with the answer of
// Escape and the close box (0 where the set has no way to decline).
struct TButtonSet {
    std::vector<TButtonKind> Buttons;
    int EscapeResult;
};

TButtonSet ButtonSetOf(unsigned style)
{
    const TButtonKind ok{IDOK, "OK"}, cancel{IDCANCEL, "Cancel"}, yes{IDYES, "&Yes"}, no{IDNO, "&No"},
        abort{IDABORT, "&Abort"}, retry{IDRETRY, "&Retry"}, ignore{IDIGNORE, "&Ignore"};
    switch (style & 0x0F) {
    case MB_OKCANCEL: return {{ok, cancel}, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {{abort, retry, ignore}, 0};
    case MB_YESNOCANCEL: return {{yes, no, cancel}, IDCANCEL};
    case MB_YESNO: return {{yes, no}, 0};
    case MB_RETRYCANCEL: return {{retry, cancel}, IDCANCEL};
    default: return {{ok}, IDOK};
    }
}

// ---- Icons -----------------------------------------------------------------

// Marks drawn over the icons' shapes, one character a pixel ('#' is drawn).
const char* const kExclamation[] = {
    ".##.", "####", "####", "####", ".##.", ".##.", ".##.", ".##.", ".##.", "....", "....", ".##.", "####", ".##.",
};
const char* const kInformation[] = {
    "..##..", ".####.", ".####.", "..##..", "......", "......", ".###..",
    "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", ".####.",
};
const char* const kQuestion[] = {
    "..####..", ".######.", "##....##", "##....##", "......##", ".....##.", "....##..",
    "...##...", "...##...", "...##...", "........", "...##...", "...##...",
};

template <size_t N>
void DrawMark(TCanvas& canvas, int x, int y, const char* const (&rows)[N], TColor color)
{
    for (size_t row = 0; row < N; ++row)
        for (int col = 0; rows[row][col] != '\0'; ++col)
            if (rows[row][col] == '#')
                canvas.SetPixel(x + col, y + static_cast<int>(row), color);
}

// A filled disc with a darker rim and a grey shadow to the lower right.
void DrawDisc(TCanvas& canvas, int x, int y, TColor fill, TColor rim)
{
    canvas.Pen()->SetColor(clGray);
    canvas.Brush()->SetColor(clGray);
    canvas.Ellipse(x + 3, y + 3, x + 32, y + 32);
    canvas.Pen()->SetColor(rim);
    canvas.Brush()->SetColor(fill);
    canvas.Ellipse(x + 1, y + 1, x + 30, y + 30);
}

void DrawErrorIcon(TCanvas& canvas, int x, int y)
{
    DrawDisc(canvas, x, y, clRed, clMaroon);
    // A white cross of two three-pixel strokes through the centre.
    const int size = 12;
    for (int dy = 0; dy <= size; ++dy)
        for (int dx = 0; dx <= size; ++dx)
            if (std::abs(dx - dy) <= 1 || std::abs(dx + dy - size) <= 1)
                canvas.SetPixel(x + 9 + dx, y + 9 + dy, clWhite);
}

void DrawWarningIcon(TCanvas& canvas, int x, int y)
{
    const TPoint shadow[] = {{x + 17, y + 3}, {x + 31, y + 31}, {x + 3, y + 31}};
    const TPoint triangle[] = {{x + 15, y + 1}, {x + 29, y + 29}, {x + 1, y + 29}};
    canvas.Pen()->SetColor(clGray);
    canvas.Brush()->SetColor(clGray);
    canvas.Polygon(shadow);
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetColor(clYellow);
    canvas.Polygon(triangle);
    DrawMark(canvas, x + 13, y + 10, kExclamation, clBlack);
}

}  // namespace

void DrawMessageIcon(TCanvas& canvas, int x, int y, unsigned style)
{
    TCanvasStateSaver saver(canvas);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Brush()->SetStyle(bsSolid);
    switch (style & 0xF0) {
    case MB_ICONERROR:
        DrawErrorIcon(canvas, x, y);
        break;
    case MB_ICONQUESTION:
        DrawDisc(canvas, x, y, clBlue, clNavy);
        DrawMark(canvas, x + 11, y + 9, kQuestion, clWhite);
        break;
    case MB_ICONWARNING:
        DrawWarningIcon(canvas, x, y);
        break;
    case MB_ICONINFORMATION:
        DrawDisc(canvas, x, y, clBlue, clNavy);
        DrawMark(canvas, x + 12, y + 8, kInformation, clWhite);
        break;
    default:
        break;
    }
}

// ---- The form --------------------------------------------------------------

TMessageForm::TMessageForm(core::TComponent* owner, const AnsiString& text, const AnsiString& caption, unsigned style)
    : TCustomForm(owner), text_(text), icon_(style & 0xF0)
{
    if (icon_ != MB_ICONERROR && icon_ != MB_ICONQUESTION && icon_ != MB_ICONWARNING && icon_ != MB_ICONINFORMATION)
        icon_ = 0;
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption(caption.empty() ? AnsiString("Error") : caption);
    Font()->SetName("宋体");
    Font()->SetCharset(GB2312_CHARSET);
    Font()->SetHeight(-12);
    CreateButtons(style);
    Arrange();
}

TMessageForm::~TMessageForm() = default;

void TMessageForm::CreateButtons(unsigned style)
{
    TButtonSet set = ButtonSetOf(style);
    escapeResult_ = set.EscapeResult;
    size_t defaultIndex = (style & MB_DEFBUTTON3) ? 2 : (style & MB_DEFBUTTON2) ? 1 : 0;
    if (defaultIndex >= set.Buttons.size())
        defaultIndex = 0;
    for (size_t i = 0; i < set.Buttons.size(); ++i) {
        auto* button = new TButton(this);
        button->SetParent(this);
        button->SetCaption(set.Buttons[i].Caption);
        button->SetModalResult(set.Buttons[i].Id);
        button->SetCancel(set.Buttons[i].Id == escapeResult_);
        button->SetDefault(i == defaultIndex);
        buttons_.push_back(button);
    }
    SetActiveControl(buttons_[defaultIndex]);
}

TButton* TMessageForm::ButtonFor(int id) const
{
    for (TButton* button : buttons_)
        if (button->ModalResult() == id)
            return button;
    return nullptr;
}

void TMessageForm::Arrange()
{
    // The text is measured with the form's font, broken to the widest the
    // screen allows.
    TBitmap scratch(1, 1);
    TCanvas& canvas = *scratch.Canvas();
    canvas.Font()->Assign(Font());
    int maxTextWidth = WindowManager().SystemMetric(SM_CXSCREEN) * 5 / 8;
    TRect measured{0, 0, maxTextWidth, 0};
    canvas.DrawText(text_.empty() ? AnsiString(" ") : text_, measured, kTextFlags | DT_CALCRECT);
    int textWidth = measured.Width(), textHeight = measured.Height();

    int textLeft = icon_ ? kMargin + kIconSize + kIconGap : kMargin + 6;
    iconRect_ = icon_ ? Bounds(kMargin, kMargin, kIconSize, kIconSize) : TRect{};
    int textTop = kMargin;
    if (icon_ && textHeight < kIconSize)
        textTop += (kIconSize - textHeight) / 2;
    textRect_ = Bounds(textLeft, textTop, textWidth, textHeight);

    int count = static_cast<int>(buttons_.size());
    int rowWidth = count * kButtonWidth + (count - 1) * kButtonSpacing;
    int clientWidth = std::max(textRect_.Right + kRightMargin, rowWidth + 2 * kMargin);
    int contentBottom = std::max(iconRect_.Bottom, textRect_.Bottom);
    int buttonTop = contentBottom + kButtonGap;
    int left = (clientWidth - rowWidth) / 2;
    for (TButton* button : buttons_) {
        button->SetBounds(left, buttonTop, kButtonWidth, kButtonHeight);
        left += kButtonWidth + kButtonSpacing;
    }
    SetClientWidth(clientWidth);
    SetClientHeight(buttonTop + kButtonHeight + kMargin);
}

void TMessageForm::Paint()
{
    TCanvas& canvas = *Canvas();
    if (icon_)
        DrawMessageIcon(canvas, iconRect_.Left, iconRect_.Top, icon_);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clWindowText);
    TRect r = textRect_;
    canvas.DrawText(text_, r, kTextFlags);
}

void TMessageForm::WndProc(TMessage& m)
{
    // The close box answers as Escape does, and does nothing where Escape
    // does nothing.
    if (m.Msg == WM_CLOSE) {
        if (escapeResult_ != 0)
            SetModalResult(escapeResult_);
        return;
    }
    TCustomForm::WndProc(m);
}

// ---- The call --------------------------------------------------------------

int MessageBox(const core::AnsiString& text, const core::AnsiString& caption, unsigned style)
{
    auto form = std::make_unique<TMessageForm>(nullptr, text, caption, style);
    int result = form->ShowModal();
    // A loop ended from outside (the program terminating) gives the answer
    // of Escape, or 0 where the box cannot be declined.
    if (!form->ButtonFor(result))
        result = form->EscapeResult();
    return result;
}

}  // namespace ui
