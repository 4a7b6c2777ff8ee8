object Window1: TSampleForm
  Left = -1000
  Top = -100000
  Caption = 
    'A long caption that goes on for more than sixty-four characters, ' +
    'with a quote '#39' and '#30331#24405
  Hint = 'Caf'#233' '#55357#56832
  Font.Style = [fsBold, fsUnderline]
  Font.Charset = GB2312_CHARSET
  object Connection1: TSampleConnection
    ConnectionString = 'Provider=SQLOLEDB.1;Data Source=.'
    LoginPrompt = False
    Left = 12
    Top = 34
  end
  object Table1: TSampleTable
    Connection = Connection1
    TableName = 'TsAccount'
  end
  inherited Grid1: TSampleGrid [2]
    Align = alClient
    Anchors = []
    Visible = False
    Cols = 3
    Offset = -100
    Total = -1099511627776
    Ratio = 1.500000000000000000
    Scale = 1.500000000000000000s
    Amount = 123456c
    Stamp = 45000.750000000000000000d
    PasswordChar = '*'
    Value = #21464#20307
    Options = [goEditing, goRowSelect]
    Items = <
      item [3]
        DataCol = 1
        FieldName = 'Field1'
        Col.Heading = #24080#22871
        Col.Width = 40
        Col.ReadOnly = True
      end
      item
      end>
    OnCellClick = Grid1CellClick
    Widths = (
      147
      -90
      70000)
    ColProperties = <>
    Data = {
      0100000003000000010000000001000000000201000000020000000300000001
      0000000001000000000201000000030000000300000000010000000002010000
      0004000000030000000000020100000005000000030000000000020100000000
      00000000000000}
  end
  object Panel1: TSamplePanel
    object Button1: TSampleButton
      Caption = #30331#24405
      Default = True
      OnClick = Button1Click
    end
  end
end
