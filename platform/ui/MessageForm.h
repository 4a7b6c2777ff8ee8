#pragma once

#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageBox.h"

namespace ui {

// The window of a message box: an icon at the left, the text to its right,
// broken into lines within a maximum width, and a row of buttons centred
// below. The form sizes itself to what it shows. MessageBox() makes one,
// shows it modally and frees it; tests reach the one on screen through
// Screen().ActiveForm().
class TMessageForm : public TCustomForm {
    CORE_CLASS(TMessageForm, TCustomForm)

    TMessageForm(core::TComponent* owner, const AnsiString& text, const AnsiString& caption, unsigned style);
    ~TMessageForm() override;

    const AnsiString& MessageText() const { return text_; }
    // The buttons from left to right, and the one answering `id` (IDOK...).
    const std::vector<TButton*>& Buttons() const { return buttons_; }
    TButton* ButtonFor(int id) const;
    // What Escape and the close box answer; 0 when they do nothing (the
    // button set has no Cancel and more than one button).
    int EscapeResult() const { return escapeResult_; }
    // Where the icon and the text are drawn, in client coordinates.
    TRect IconRect() const { return iconRect_; }
    TRect TextRect() const { return textRect_; }

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    void CreateButtons(unsigned style);
    void Arrange();

    AnsiString text_;
    unsigned icon_ = 0;
    std::vector<TButton*> buttons_;
    int escapeResult_ = 0;
    TRect iconRect_;
    TRect textRect_;
};

// Draws the 32 by 32 icon of a message box style (MB_ICONERROR,
// MB_ICONQUESTION, MB_ICONWARNING or MB_ICONINFORMATION in `style`) with
// its top-left corner at (x, y); nothing for a style without an icon.
void DrawMessageIcon(graphics::TCanvas& canvas, int x, int y, unsigned style);

}  // namespace ui
