object Form1: TTestForm
  Caption = 'Main'
  object Button1: TWidget
    Caption = 'Don'#39't'
    Count = 5
    Big = 5000000000
    Ratio = 0.10000000000000000555
    Scale = 1.500000000000000000s
    Precise = 0.33333333333333333334
    Price = 123400c
    When = 45000.500000000000000000d
    Shape = stTriangle
    Flags = [fsBold, fsUnderline]
    Enabled = False
    Letter = 'z'
    Wide = 'w'#1046
    Data = 42
    Color = clRed
    Font.Name = 'Arial'
    Font.Size = 10
    Font.Style = [fsItalic]
    Items = <
      item
        Caption = 'first'
      end
      item
        Width = 7
      end>
    Lines.Strings = (
      'line one'
      '')
    Buddy = Panel1
    OnClick = Button1Click
    OnPing = PanelPing
    Left = 10
    Top = 20
  end
  object Panel1: TWidget
    Items = <>
    object Kid1: TWidget
      Items = <>
    end
    object Kid2: TWidget
      Items = <>
      Buddy = Owner
    end
  end
end
