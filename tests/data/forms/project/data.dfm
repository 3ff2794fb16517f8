object Data: TData
  OldCreateOrder = False
  Left = 200
  Top = 120
  Height = 200
  Width = 300
  object Connection: TADOConnection
    ConnectionString = 'Provider=SQLOLEDB.1'
    LoginPrompt = False
    Left = 24
    Top = 16
  end
  object Orders: TADOQuery
    Connection = Connection
    Left = 96
    Top = 16
    object OrdersID: TAutoIncField
      FieldName = 'ID'
    end
  end
  object Images: TImageList
    Left = 168
    Top = 16
  end
  object Actions: TActionList
    Images = Images
    Left = 24
    Top = 88
    object Save: TAction
      Caption = '&Save'
    end
  end
  object Refresh: TTimer
    Interval = 5000
    Left = 96
    Top = 88
  end
end
