object MainForm: TMainForm
  Left = 192
  Top = 107
  Width = 400
  Height = 300
  Caption = 'Zeltrix demo '#8211' connections'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = [fsBold]
  OnCreate = FormCreate
  Opacity = 0.750000000000000000
  Scale = 1.250000000000000000s
  Price = 199900c
  Created = 36892.500000000000000000d
  Big = 5000000000
  Flags = []
  Payload = {
    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
    20}
  PixelsPerInch = 96
  object Button1: TButton
    Left = 8
    Top = 8
    Caption = 'Don'#39't press'
    OnClick = Button1Click
  end
  object Edit1: TEdit
    Left = 8
    Top = 40
    Text = 'caf'#233
  end
  object Memo1: TMemo
    Lines.Strings = (
      'first line'
      
        'a rather long line, longer than sixty-four characters, that is s' +
        'plit into two pieces'
      '')
  end
  object ListView1: TListView
    Columns = <
      item
        Caption = 'Name'
        Width = 120
      end
      item [1]
        Caption = 'Size'
      end>
  end
  object zelConnectionList1: TzelConnectionList
    Left = 200
    Top = 8
    object zelE2P1: TzelE2P
      Source = Button1
      SourceEvent = 'OnClick'
      Target = Edit1
      TargetProperty = 'Text'
      ValueOptions = voConstant
      ValueConstant = 'clicked'
      TargetPropertyIndexes = ()
    end
  end
  inherited Panel1: TPanel [0]
    Visible = False
    inline Frame1: TFrame1
      Tag = 7
    end
  end
end
