object SampleWindow: TSampleForm
  Left = 321
  Top = 136
  Width = 396
  Height = 277
  Caption = #24080#22871#24037#20855
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = #23435#20307
  object Connection1: TSampleConnection
    LoginPrompt = False
    Left = 8
    Top = 8
  end
  object Table1: TSampleTable
    Connection = Connection1
    TableName = 'TsAccount'
    Left = 40
    Top = 8
  end
  object Grid1: TSampleGrid
    Left = 0
    Top = 41
    Width = 388
    Height = 168
    Align = alClient
    Color = clWhite
    Cols = 3
    Options = [goEditing, goRowSelect]
    OnCellClick = Grid1CellClick
    Items = <
      item
        DataCol = 1
        FieldName = 'AccountName'
        Col.Heading = #24080#22871#21517#31216
        Col.Width = 147
        Col.ReadOnly = True
      end
      item
        DataCol = 2
        FieldName = 'DataBase'
        Col.Heading = #25968#25454#24211#21517
        Col.Width = 90
      end>
    Data = {
      0100000003000000010000000001000000000201000000020000000300000001
      0000000001000000000201000000030000000300000000010000000002010000
      0004000000030000000000020100000005000000030000000000020100000000
      00000000000000}
  end
  object Panel1: TSamplePanel
    Left = 0
    Top = 209
    Width = 388
    Height = 41
    Align = alBottom
    object Button1: TSampleButton
      Left = 152
      Top = 8
      Width = 68
      Height = 21
      Caption = #30331#24405
      OnClick = Button1Click
    end
    object Button2: TSampleButton
      Left = 232
      Top = 8
      Width = 68
      Height = 21
      Caption = #20445#23384
      OnClick = Button1Click
    end
  end
end
