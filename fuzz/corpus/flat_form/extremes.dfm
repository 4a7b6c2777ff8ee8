object Form1: TForm
  ClientHeight = 100
  ClientWidth = 100
  object Big: TFlatButton
    Left = -20
    Top = -20
    Width = 30000
    Height = 30000
    Margin = 2147483647
    Spacing = -2147483648
    NumGlyphs = 0
    AdvColorFocused = 255
    UseAdvColors = True
    Layout = blGlyphRight
    Caption = 'A very long caption that does not fit'
  end
  object Small: TFlatSpeedButton
    Width = 0
    Height = 0
    Spacing = 2147483647
    Margin = -1
    AllowAllUp = True
    GroupIndex = -1
    Down = True
  end
end
