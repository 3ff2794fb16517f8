object ShoppingForm: TShoppingForm
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Shopping list'
  ClientHeight = 186
  ClientWidth = 288
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object ItemCaption: TLabel
    Left = 8
    Top = 8
    Width = 24
    Height = 13
    Caption = '&Item:'
    FocusControl = ItemEdit
  end
  object Echo: TLabel
    Left = 48
    Top = 8
    Width = 3
    Height = 13
  end
  object Status: TLabel
    Left = 8
    Top = 164
    Width = 3
    Height = 13
  end
  object ItemEdit: TEdit
    Left = 8
    Top = 24
    Width = 185
    Height = 21
    TabOrder = 0
  end
  object AddButton: TButton
    Left = 204
    Top = 22
    Width = 75
    Height = 25
    Caption = '&Add'
    Default = True
    Enabled = False
    TabOrder = 1
  end
  object Items: TListBox
    Left = 8
    Top = 56
    Width = 185
    Height = 97
    ItemHeight = 13
    TabOrder = 2
  end
  object AllowAdding: TCheckBox
    Left = 204
    Top = 58
    Width = 81
    Height = 17
    Caption = 'Allow &adding'
    TabOrder = 3
  end
  object Autosave: TTimer
    Interval = 5000
    Left = 232
    Top = 120
  end
  object Actions: TActionList
    Left = 168
    Top = 120
    object LastKey: TAction
      Caption = 'Last key'
    end
  end
  object ItemList: TzelVariable
    ClassTypeName = 'TStrings'
    Left = 200
    Top = 120
  end
  object Connections: TzelConnectionList
    Left = 264
    Top = 120
    object HoldItems: TzelP2PConnection
      Source = Items
      Target = ItemList
      SourceProperty = 'Items'
      TargetProperty = 'Self'
      SourcePropertyIndexes = ()
      TargetPropertyIndexes = ()
    end
    object EchoItem: TzelP2PConnection
      Source = ItemEdit
      Target = Echo
      SourceProperty = 'Text'
      SourceEvent = 'OnChange'
      TargetProperty = 'Caption'
      SourcePropertyIndexes = ()
      TargetPropertyIndexes = ()
    end
    object EnableAdd: TzelP2PConnection
      Source = AllowAdding
      Target = AddButton
      SourceProperty = 'Checked'
      SourceEvent = 'OnClick'
      TargetProperty = 'Enabled'
      SourcePropertyIndexes = ()
      TargetPropertyIndexes = ()
    end
    object AddItem: TzelE2MConnection
      Source = AddButton
      Target = ItemList
      SourceEvent = 'OnClick'
      TargetMethod = 'Add'
      TargetMethodParameters = <
        item
          ParameterName = 'S'
          Component = ItemEdit
          ComponentProperty = 'Text'
          Options = voComponentProperty
        end>
    end
    object KeyToHint: TzelE2MConnection
      Source = ItemEdit
      Target = LastKey
      SourceEvent = 'OnKeyPress'
      TargetMethod = 'DoHint'
      TargetMethodParameters = <
        item
          ParameterName = 'HintStr'
          EventParameter = 'Key'
          Options = voEventProperty
        end>
    end
    object ShowKey: TzelE2PConnection
      Source = LastKey
      Target = Status
      SourceEvent = 'OnHint'
      TargetProperty = 'Caption'
      ValueEventParameter = 'HintStr'
      ValueOptions = voEventProperty
      TargetPropertyIndexes = ()
    end
    object ShowSaved: TzelE2PConnection
      Source = Autosave
      Target = Status
      SourceEvent = 'OnTimer'
      TargetProperty = 'Caption'
      ValueConstant = 'Saved.'
      ValueOptions = voConstant
      TargetPropertyIndexes = ()
    end
  end
end
