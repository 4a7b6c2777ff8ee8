object Form1: TForm
  Left = 0
  Top = 0
  Caption = 'Pick'
  ClientHeight = 120
  ClientWidth = 240
  object Amount: TQorPickEditClass
    Left = 60
    Top = 8
    Width = 120
    Height = 10
    AutoSize = False
    CheckFmt = cfDecimal
    FmtDecimal = fdPrice
    PlusNumber = False
    EditorEnabled = False
    ButtonEnabled = True
    TabOrder = 0
    Text = ' 12.5 '
  end
  object Narrow: TQorPickEditClass
    Left = 60
    Top = 40
    Width = 9
    Height = 21
    BorderStyle = bsNone
    CheckFmt = cfNumber
    ReadOnly = True
    TabOrder = 1
  end
  object When: TQorPickEditClass
    Left = 60
    Top = 70
    Width = 100
    Height = 21
    CheckFmt = cfForceDate
    TabOrder = 2
  end
  object Pick: TCPickButton
    Left = 200
    Top = 8
    Width = 4
    Height = 25
    DownNumGlyphs = 3
    TabStop = True
    FocusControl = Amount
  end
end
