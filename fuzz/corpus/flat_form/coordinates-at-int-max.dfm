object Form1: TForm
  Left = 0
  Top = 0
  Caption = 'Flat'
  ClientHeight = 2147483647
  ClientWidth = 100
  object Far: TFlatButton
    Left = 2147483647
    Top = 2147483647
    Width = 25
    Height = 23
    Caption = '&Far'
  end
  object Speed: TFlatSpeedButton
    Left = -2147483624
    Top = 8
    Width = 2147483647
    Height = 25
    Caption = 'S'
  end
end
