object OrdersForm: TOrdersForm
  Left = 240
  Top = 118
  Caption = 'Orders'
  ClientHeight = 361
  ClientWidth = 584
  OldCreateOrder = False
  OnCreate = FormCreate
  TextHeight = 13
  object Header: TGradientPanel
    Left = 0
    Top = 0
    Width = 584
    Height = 41
    Align = alTop
    Colors.Start = clNavy
    Colors.Stop = clBlue
    StyleElements = [seFont, seClient]
    object Title: TShadowLabel
      Left = 8
      Top = 12
      Caption = 'Open orders'
      Font.Style = [fsBold]
    end
    object Refresh: TFlatButton
      Left = 500
      Top = 8
      Caption = '&Refresh'
      Glyph.Data = {
        0A000000}
    end
  end
  object Orders: TOrderGrid
    Left = 0
    Top = 41
    ColCount = 6
    Columns = <
      item
        FieldName = 'ID'
        Width = 40
      end
      item
        FieldName = 'Customer'
        Title.Caption = 'Customer'
      end>
    OnDblClick = OrdersDblClick
  end
  object RefreshAction: TBasicAction
    Tag = 1
    ExplicitLeft = 4
    OnExecute = RefreshActionExecute
  end
  object Count: TComponent
  end
  object Connections: TzelConnectionList
    Left = 16
    Top = 300
    object CountRefreshes: TzelE2PConnection
      Source = RefreshAction
      Target = Orders
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueConstant = '7'
      ValueOptions = voConstant
    end
  end
end
