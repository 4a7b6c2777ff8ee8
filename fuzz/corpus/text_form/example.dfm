object Form1: TForm1
  Left = 459
  Caption = #30331#24405
  Font.Height = -12
  BorderIcons = [biSystemMenu]
  object Grid1: TGrid
    ColProperties = <
      item
        DataCol = 1
        Col.Heading = 'A'
      end>
    Data = {0000000000000000}
  end
end
