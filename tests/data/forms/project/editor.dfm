object EditorForm: TEditorForm
  Left = 200
  Top = 120
  Caption = 'Editor'
  ClientHeight = 120
  ClientWidth = 300
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    Left = 8
    Top = 8
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
      end
      object Save1: TMenuItem
        Caption = '&Save'
        ShortCut = 16467
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      Enabled = False
    end
    object Help1: TMenuItem
      Caption = '&Help'
    end
  end
end
