object AccountMain: TAccountMain
  Left = 321
  Top = 136
  BorderStyle = bsDialog
  Caption = #24080#22871#24037#20855
  ClientHeight = 250
  ClientWidth = 388
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = #23435#20307
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 12
  object TinyGrid1: TTinyGrid
    Left = 0
    Top = 41
    Width = 388
    Height = 168
    Align = alClient
    Color = clWhite
    ParentShowHint = False
    ShowHint = True
    TabOrder = 0
    Cols = 3
    Rows = 5
    DefaultRowHeight = 17
    HeadingColor = 15461355
    HeadingFont.Charset = GB2312_CHARSET
    HeadingFont.Color = clWindowText
    HeadingFont.Height = -12
    HeadingFont.Name = #23435#20307
    HeadingFont.Style = []
    Heading3D = False
    CellSelectMode = cmNone
    RowSelectMode = rsNone
    SelectionColor = clBlack
    ResizeRows = rrNone
    WordWrap = wwOff
    CheckBoxStyle = stCheck
    StoreData = True
    BorderCtl3D = True
    ColProperties = <
      item
        DataCol = 1
        FieldName = 'AccountName'
        Col.FieldName = 'AccountName'
        Col.Heading = #24080#22871#21517#31216
        Col.HeadingHorzAlignment = htaCenter
        Col.ReadOnly = True
        Col.Width = 147
        Col.Tag = 0
        Col.ColConfig = False
        Col.BePrint = False
      end
      item
        DataCol = 2
        FieldName = 'DataBase'
        Col.FieldName = 'DataBase'
        Col.Heading = #25968#25454#24211#21517
        Col.HeadingHorzAlignment = htaCenter
        Col.ReadOnly = True
        Col.Width = 90
        Col.Tag = 0
        Col.ColConfig = False
        Col.BePrint = False
      end
      item
        DataCol = 3
        FieldName = 'Flag'
        Col.ControlType = ctCheck
        Col.FieldName = 'Flag'
        Col.Heading = #38544#34255
        Col.HeadingHorzAlignment = htaCenter
        Col.Tag = 0
        Col.ColConfig = False
        Col.BePrint = False
      end>
    Data = {
      0100000003000000010000000001000000000201000000020000000300000001
      0000000001000000000201000000030000000300000000010000000002010000
      0004000000030000000000020100000005000000030000000000020100000000
      00000000000000}
  end
  object TopPanel1: TTopPanel
    Left = 0
    Top = 0
    Width = 388
    Height = 41
    Align = alTop
    TabOrder = 1
  end
  object BottomPanel1: TBottomPanel
    Left = 0
    Top = 209
    Width = 388
    Height = 41
    Align = alBottom
    TabOrder = 2
    LineColor = 5755390
    Caption = #24080#22871#24037#20855
    object TinyButton1: TTinyButton
      Left = 152
      Top = 8
      Width = 68
      Height = 21
      Caption = #30331#24405
      TabOrder = 0
      OnClick = TinyButton1Click
    end
    object TinyButton2: TTinyButton
      Left = 232
      Top = 8
      Width = 68
      Height = 21
      Caption = #20445#23384
      TabOrder = 1
      OnClick = TinyButton2Click
    end
    object TinyButton3: TTinyButton
      Left = 312
      Top = 8
      Width = 68
      Height = 21
      Caption = #36864#20986
      TabOrder = 2
      OnClick = TinyButton3Click
    end
  end
  object ADOConnection1: TADOConnection
    LoginPrompt = False
    Left = 16
    Top = 8
  end
  object ADOTable1: TADOTable
    Connection = ADOConnection1
    CursorType = ctStatic
    TableName = 'TsAccount'
    Left = 48
    Top = 8
  end
end
