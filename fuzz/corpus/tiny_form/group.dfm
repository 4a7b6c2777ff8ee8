object Form1: TForm
  Left = 0
  Top = 0
  Caption = 'Group'
  ClientHeight = 200
  ClientWidth = 300
  object Customer: TTinyEdit
    Left = 80
    Top = 8
    Width = 120
    Height = 18
    TabOrder = 0
    Text = 'C001'
    BaseType = btCustomer
    ButtonVisible = True
    ButtonWidth = 15
    GroupIndex = 1
    DataIndex = 2
  end
  object Phone: TTinyEdit
    Left = 80
    Top = 32
    Width = 120
    Height = 18
    TabOrder = 1
    LabelCaption = 'Phone(&P)'
    LabelPosition = lpAbove
    GroupIndex = 1
    DataIndex = 3
  end
  object Day: TTinyEdit
    Left = 80
    Top = 56
    Width = 120
    Height = 18
    TabOrder = 2
    CheckFmt = cfForceDate
    LabelPosition = lpRight
    LabelSpacing = -40
    GroupIndex = 1
    DataIndex = 28
  end
  object Amount: TTinyEdit
    Left = 80
    Top = 80
    Width = 120
    Height = 18
    TabOrder = 3
    CheckFmt = cfDecimal
    FmtDecimal = fdQty
    PlusNumber = False
    GroupIndex = 1
    DataIndex = -1
  end
  object Notes: TTinyEdit
    Left = 80
    Top = 104
    Width = 120
    Height = 40
    TabOrder = 4
    MultiLine = True
    LabelPosition = lpBelow
    GroupIndex = 1
    DataIndex = 1
  end
  object Ok: TTinyButton
    Left = 80
    Top = 160
    Caption = '&OK'
    ModalResult = 1
  end
end
