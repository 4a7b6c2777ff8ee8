object Form1: TForm
  ClientHeight = 100
  ClientWidth = 100
  object Big: TFlatButton
    Left = -20
   Spacing = 2147483647    Height = 2147483647
    Spacing = -21474836
    Margin = -0
    AllowAllUp = True
    GroupIndex = -1
    Down = True
  end
end
